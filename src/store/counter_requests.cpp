// What a counter sends: a commit's record writes, the block's differences from the server's
// copy, and the files changed outside a transaction.
#include <algorithm>
#include <cstring>
#include <utility>

#include "records/file_io.h"
#include "store/counter_parts.h"
#include "text/coding.h"

namespace kelvo::store {

namespace fs = std::filesystem;
using records::cfg::FigureType;

void CounterStore::add_record_writes(Request& r, std::string_view file, uint64_t offset, const uint8_t* bytes,
                                     size_t len) {
  const int t = table_of(file);
  const RecordTable& table = kRecordTables[t];
  const size_t size = table.record_size;
  for (size_t at = 0; at + size <= len; at += size) {
    const int64_t slot = static_cast<int64_t>((offset + at) / size);
    const uint8_t* record = bytes + at;
    const int64_t number = table.numbered ? text::get_i64(record) : 0;
    uint8_t held[8] = {};
    const bool had = get(std::string(file), static_cast<uint64_t>(slot) * size, held, 8);
    const bool fresh = table.numbered && number > 0 && (!had || text::get_i64(held) != number);
    const auto& versions = versions_[t];
    Value version = static_cast<size_t>(slot) < versions.size() && versions[slot] > 0 ? Value::i64(versions[slot]) : Value::null();
    // A record written twice in one transaction goes to the server once, as last written.
    bool replaced = false;
    for (size_t i = 0; i < r.tbls.size() && !replaced; ++i) {
      if (r.tbls[i].data != Value::text(table.table).data || be64(r.slots[i].data.data()) != slot) continue;
      r.images[i] = Value::bytes(record, size);
      r.numbers[i] = Value::i64(number);
      r.fresh[i] = bool_value(fresh);
      replaced = true;
    }
    if (replaced) continue;
    r.tbls.push_back(Value::text(table.table));
    r.slots.push_back(Value::i64(slot));
    r.versions.push_back(version);
    r.numbers.push_back(Value::i64(number));
    r.fresh.push_back(bool_value(fresh));
    r.images.push_back(Value::bytes(record, size));
  }
}

// Running figures go as what this counter added to them, so that two counters' takings add up;
// every other byte that differs goes as it is, range by range.
void CounterStore::add_config(Request& r, const uint8_t* block) {
  r.config.assign(block, block + records::cfg::kSize);
  const uint8_t* was = synced_.data();
  for (const auto& run : records::cfg::kRunningFigures) {
    const size_t width = records::cfg::figure_width(run.type);
    for (int k = 0; k < run.count; ++k) {
      const size_t at = run.offset + width * static_cast<size_t>(k);
      if (std::memcmp(block + at, was + at, width) == 0) continue;
      int64_t whole = 0;
      double part = 0;
      if (run.type == FigureType::I32) whole = int64_t{text::get_i32(block + at)} - text::get_i32(was + at);
      if (run.type == FigureType::I64)
        whole = static_cast<int64_t>(static_cast<uint64_t>(text::get_i64(block + at)) - static_cast<uint64_t>(text::get_i64(was + at)));
      if (run.type == FigureType::F32) part = double{text::get_f32(block + at)} - double{text::get_f32(was + at)};
      r.config_moved.emplace_back(at, at + width);
      r.fig_offsets.push_back(Value::i32(static_cast<int32_t>(at)));
      r.int_deltas.push_back(Value::i64(whole));
      r.float_deltas.push_back(Value::f64(part));
    }
  }
  for (const auto& [from, to, own] : setting_spans()) {
    if (std::memcmp(block + from, was + from, to - from) == 0) continue;
    if (own) {  // a counter's own list goes whole
      r.config_moved.emplace_back(from, to);
      r.set_offsets.push_back(Value::i32(static_cast<int32_t>(from)));
      r.set_bytes.push_back(Value::bytes(block + from, to - from));
      continue;
    }
    for (size_t i = from; i < to;) {
      if (block[i] == was[i]) {
        ++i;
        continue;
      }
      // Changes a few bytes apart (the entries of one list) go as one range.
      size_t end = i + 1;
      for (size_t k = end; k < to && k < end + 32; ++k)
        if (block[k] != was[k]) end = k + 1;
      r.config_moved.emplace_back(i, end);
      r.set_offsets.push_back(Value::i32(static_cast<int32_t>(i)));
      r.set_bytes.push_back(Value::bytes(block + i, end - i));
      i = end;
    }
  }
}

void CounterStore::file_changed(const fs::path& path, uint64_t offset, uint64_t length) {
  const bool moved = offset == records::kMovedAway;
  const fs::path relative = path.lexically_relative(shop_.folder());
  const std::string name = relative.generic_string();
  // The store's own replacements as well: a whole log the server sent is a new file.
  if (moved || offset == records::kWholeFile) writers_.erase(name);
  if (applying_ || (!moved && offset != records::kWholeFile && length == 0)) return;
  if (relative.empty() || name.rfind("..", 0) == 0 || relative.is_absolute() || counter_own_file(name)) return;
  if (moved) {
    moved_from_ = name;
    return;
  }
  const std::string moved_from = std::exchange(moved_from_, std::string());
  const bool whole = offset == records::kWholeFile;
  auto content = records::read_whole(path);
  if (!content && !known_files_.count(name)) return;  // a work file that came and went
  Request r;
  switch (kind_of(name)) {
    case FileKind::Config:
      if (!content || content->size() != records::cfg::kSize) return;
      add_config(r, content->data());
      break;
    case FileKind::Records: {
      if (!content) return;
      const size_t size = kRecordTables[table_of(name)].record_size;
      const uint64_t from = whole ? 0 : offset / size * size;
      const uint64_t to = whole ? content->size() / size * size : std::min<uint64_t>(content->size() / size * size, (offset + length + size - 1) / size * size);
      if (from < to) add_record_writes(r, name, from, content->data() + from, to - from);
      break;
    }
    case FileKind::Log:
      if (!moved_from.empty() && kind_of(moved_from) == FileKind::Log) {
        r.rename_from = Value::text(moved_from);
        r.rename_to = Value::text(name);
      } else if (whole || !content || offset + length > content->size()) {
        r.whole_logs.push_back(Value::text(name));
        if (!content) break;
        auto starts = log_line_starts(content->data(), content->size());
        starts.push_back(content->size());
        for (size_t i = 0; i + 1 < starts.size(); ++i) {
          r.log_files.push_back(Value::text(name));
          r.log_bytes.push_back(Value::bytes(content->data() + starts[i], starts[i + 1] - starts[i]));
        }
      } else {
        r.log_files.push_back(Value::text(name));
        r.log_bytes.push_back(Value::bytes(content->data() + offset, length));
      }
      break;
    case FileKind::Bytes:
      r.file_names.push_back(Value::text(name));
      r.file_bytes.push_back(content ? Value::bytes(content->data(), content->size()) : Value::null());
      break;
  }
  if (r.empty()) return;
  std::optional<Result> answer;
  if (send(r, answer) != Sent::Stored) return;
  if (!r.config.empty()) synced_ = r.config;
  if (answer) apply_changes(rows_of(*answer), &r);
  else refresh();
}

}  // namespace kelvo::store
