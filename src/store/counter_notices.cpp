// The notices of commits: what a counter tells the others of its transaction, and how it takes
// theirs before its refresh asks the server for what is left.
#include <bit>
#include <cstring>

#include "store/counter_parts.h"

namespace kelvo::store {

namespace {

std::string_view as_text(const Value& v) { return {reinterpret_cast<const char*>(v.data.data()), v.data.size()}; }

int table_named(std::string_view table) {
  for (int t = 0; t < static_cast<int>(std::size(kRecordTables)); ++t)
    if (kRecordTables[t].table == table) return t;
  return -1;
}

}  // namespace

// Records go as the stretches that changed on the version the writer read, which its working
// copy still holds (written back only once the server has the transaction). A record new to its
// slot, a named file, a whole log or a renamed one make no notice: the refresh brings those.
void CounterStore::add_notice(Request& r) {
  if (!r.file_names.empty() || !r.whole_logs.empty() || !r.rename_from.is_null) return;
  // A counter that has met no other for a while tells no one: its commits then only say to ask.
  if (transactions_ > other_met_ + kNoticesAfterMeeting) return;
  MappedFiles::Run run(mapped_);  // the held records read with one look at each file
  CommitNotice n;
  n.counter = settings_.counter;
  std::vector<uint8_t> held;
  for (size_t i = 0; i < r.tbls.size(); ++i) {
    const int t = table_named(as_text(r.tbls[i]));
    if (t < 0 || r.versions[i].is_null) return;
    const RecordTable& table = kRecordTables[t];
    const int64_t slot = be64(r.slots[i].data.data());
    held.resize(table.record_size);
    if (r.images[i].data.size() != table.record_size ||
        !get(std::string(table.file), static_cast<uint64_t>(slot) * table.record_size, held.data(), held.size()))
      return;
    const uint8_t* image = r.images[i].data.data();
    n.records.push_back({t, slot, be64(r.versions[i].data.data()), image_hash(image, table.record_size),
                         stretches_between(held.data(), image, table.record_size)});
  }
  for (size_t i = 0; i < r.log_files.size(); ++i)
    n.logs.push_back({std::string(as_text(r.log_files[i])), std::string(as_text(r.log_bytes[i]))});
  // Each part as the server will hold it, this counter's own (which only it moves) with what the
  // transaction adds: set, not added, at the others, it cannot count twice what a refresh took.
  for (size_t i = 0; i < r.fig_offsets.size(); ++i) {
    const int32_t offset = be32(r.fig_offsets[i].data.data());
    const auto [whole, part] = parts_.part(offset, settings_.counter);
    n.parts.push_back({offset, static_cast<int64_t>(static_cast<uint64_t>(whole) + static_cast<uint64_t>(be64(r.int_deltas[i].data.data()))),
                       part + std::bit_cast<double>(be64(r.float_deltas[i].data.data()))});
  }
  const std::string body = notice_body(n);
  if (!body.empty()) r.notice = Value::text(body);
}

// Taken in the order the server delivered them, which is commit order, each only when it
// follows on the versions and log entries the working copy holds; after the first that does
// not, the rest are left to the refresh (they cannot follow either).
bool CounterStore::take_notices(Connection& db) {
  bool following = !notices_dropped_;
  std::vector<Connection::Notification> notices = std::move(held_notices_);
  held_notices_.clear();
  notices_dropped_ = false;
  for (auto& told : db.notifications()) notices.push_back(std::move(told));
  MappedFiles::Run run(mapped_);
  const int own = db.backend_pid();
  for (const Connection::Notification& told : notices) {
    if (told.from != own) other_met_ = transactions_;
    if (!following) continue;  // drained all the same, so they do not pile up
    const auto span = parse_notice_span(told.payload);
    if (span && span->last <= seen_ && span->last_log <= seen_log_) continue;  // held already
    const auto notice = parse_notice(told.payload);
    if (!notice) {
      following = false;
      continue;
    }
    std::vector<ChangeRow> rows;
    std::vector<std::string> images;
    following = notice->first == seen_ + 1 && notice->first_log == seen_log_ + 1 && notice_rows(*notice, rows, images);
    if (!following) continue;
    apply_changes(rows);
    ++notices_taken_;
  }
  return following;
}

bool CounterStore::notice_rows(const CommitNotice& n, std::vector<ChangeRow>& rows, std::vector<std::string>& images) {
  rows.push_back({"mark", "", n.last_log, n.last, {}});
  images.reserve(n.records.size() + n.parts.size());  // the rows point into it
  for (size_t i = 0; i < n.records.size(); ++i) {
    const NoticeRecord& r = n.records[i];
    if (r.table < 0 || r.table >= static_cast<int>(std::size(kRecordTables)) || r.slot < 0) return false;
    const RecordTable& table = kRecordTables[r.table];
    const auto& versions = versions_[r.table];
    const int64_t held = static_cast<size_t>(r.slot) < versions.size() ? versions[r.slot] : 0;
    // Held already, or a later version of it: this counter's own record from a commit another
    // came between, or one a refresh took before its turn.
    if (held >= n.written[i]) continue;
    std::string& image = images.emplace_back(table.record_size, '\0');
    auto* bytes = reinterpret_cast<uint8_t*>(image.data());
    if (held != r.prior || !get(std::string(table.file), static_cast<uint64_t>(r.slot) * table.record_size, bytes, image.size()) ||
        !apply_stretches(r.stretches, bytes, image.size()) || image_hash(bytes, image.size()) != r.hash)
      return false;
    rows.push_back({"record", std::string(table.file), r.slot, n.written[i], image});
  }
  for (const NoticeLog& l : n.logs) {
    if (!is_log_file(l.file)) return false;
    rows.push_back({"log", l.file, 0, 0, l.bytes});
  }
  for (const NoticePart& p : n.parts) {
    const Value whole = Value::i64(p.whole), part = Value::f64(p.part);
    std::string& value = images.emplace_back(whole.data.begin(), whole.data.end());
    value.append(part.data.begin(), part.data.end());
    rows.push_back({"part", n.counter, p.offset, n.last, value});
  }
  return true;
}

// Unread, the notices wait at the server: once this counter's socket is full its server process
// stops reading them, and the server's one queue for every counter keeps each commit of the
// others for as long as this counter waits (days, for a counter left open over a weekend).
void CounterStore::hold_notices() {
  if (!db_) return;
  try {
    for (auto& told : db_->notifications(true)) held_notices_.push_back(std::move(told));
  } catch (const DbError&) {
    drop_connection();
    return;
  }
  if (held_notices_.size() > kNoticesHeld) {
    held_notices_.clear();
    notices_dropped_ = true;
  }
}

}  // namespace kelvo::store
