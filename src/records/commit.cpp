#include "records/commit.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "records/file_io.h"

namespace kelvo::records {

void PendingWrites::write(std::string_view file, uint64_t offset, const uint8_t* data, size_t len) {
  for (auto& p : writes_) {
    if (!p.append && p.write.file == file && p.write.offset == offset && p.write.bytes.size() == len) {
      p.write.bytes.assign(data, data + len);
      return;
    }
  }
  writes_.push_back({JournalWrite{std::string(file), offset, false, {data, data + len}}, false});
}

void PendingWrites::append(std::string_view file, const uint8_t* data, size_t len) {
  writes_.push_back({JournalWrite{std::string(file), 0, false, {data, data + len}}, true});
}

bool PendingWrites::read(std::string_view file, uint64_t offset, uint8_t* out, size_t len) const {
  for (auto it = writes_.rbegin(); it != writes_.rend(); ++it) {
    const JournalWrite& w = it->write;
    if (it->append || w.file != file || w.offset != offset || w.bytes.size() != len) continue;
    std::memcpy(out, w.bytes.data(), len);
    return true;
  }
  return false;
}

namespace {

// The configuration block's part of the transaction: only the bytes that differ from wr.cfg as
// last written, or the whole block when what wr.cfg holds is not known.
void add_config(const ConfigBlock& config, Journal& journal) {
  const std::string name(files::kConfig);
  if (!config.has_saved_image()) {
    journal.push_back({name, 0, true, {config.data(), config.data() + cfg::kSize}});
    return;
  }
  for (auto [from, to] : config.unsaved_ranges())
    journal.push_back({name, from, false, {config.data() + from, config.data() + to}});
}

// Every file the transaction writes must be there to be written; only the log may be new.
std::optional<std::string> first_missing(const std::filesystem::path& folder, const Journal& journal) {
  std::set<std::string> seen;
  for (const auto& w : journal) {
    if (!seen.insert(w.file).second) continue;
    // Looked at rather than opened: the journal opens each file once when it applies the writes.
    if (writable_file(folder / w.file)) continue;
    const int fd = w.file == files::kLog ? open_regular(folder / w.file, O_WRONLY | O_CREAT) : -1;
    if (fd < 0) return w.file;
    ::close(fd);
  }
  return std::nullopt;
}

// The words the counter uses for a file it cannot write: not there at all, or not taking the
// bytes (the journal beside it could not be written either).
void report_file(const Shop& shop, std::string_view file, bool missing) {
  if (file == files::kLog) {
    shop.op().message(u"Fatal error", u"Data file: lgb4.dat, not present.");
    return;
  }
  const char16_t* word = u"WR.CFG";
  if (file == files::kFilm) word = missing ? u"Data file: film.dat, not present." : u"Film.dat";
  if (file == files::kMember) word = missing ? u"Data file: member.dat, not present." : u"Member.dat";
  if (file == files::kStock) word = missing ? u"Data file: mans.dat, not present." : u"Mans.dat";
  if (file == files::kReservations) word = u"resn.dat";
  shop.op().message(u"Problem", word);
}

}  // namespace

Commit::Commit(Shop& shop) : shop_(shop), owner_(!shop.pending().open()) {
  ++shop.pending().depth_;
  if (owner_) config_before_ = std::make_unique<ConfigBlock>(shop.config);
}

Commit::~Commit() {
  if (!done_) finish();
}

Journal Commit::collect() {
  PendingWrites& p = shop_.pending();
  std::map<std::string, uint64_t> ends;  // where the next append of each file goes
  Journal journal;
  for (auto& pending : p.writes_) {
    if (pending.append) {
      auto it = ends.find(pending.write.file);
      if (it == ends.end()) it = ends.emplace(pending.write.file, records::file_size(shop_.path(pending.write.file)).value_or(0)).first;
      pending.write.offset = it->second;
      it->second += pending.write.bytes.size();
    }
    journal.push_back(std::move(pending.write));
  }
  p.writes_.clear();
  // A shop on a database sends the block's differences from the server's copy instead.
  if (!shop_.remote()) add_config(shop_.config, journal);
  return journal;
}

bool Commit::finish(const RefusalWords& words) {
  words_ = &words;
  return finish();
}

bool Commit::finish() {
  if (done_) return true;
  done_ = true;
  --shop_.pending().depth_;
  if (!owner_) return true;
  const Journal journal = collect();
  // On a database the block is compared with the server's copy, whatever wr.cfg holds here.
  if (journal.empty() && !shop_.remote()) return true;
  if (shop_.remote()) {
    if (!shop_.remote()->commit(journal)) {
      shop_.config = *config_before_;
      return false;
    }
    shop_.config.mark_saved();
    return true;
  }
  const auto folder = shop_.folder();
  auto refuse = [&](std::string_view file, bool missing) {
    shop_.config = *config_before_;
    if (words_ && words_->file == file)
      shop_.op().message(missing ? u"Fatal error" : u"Problem", missing ? words_->not_present : words_->not_written);
    else
      report_file(shop_, file, missing);
    return false;
  };
  if (auto missing = first_missing(folder, journal)) return refuse(*missing, true);
  // A transaction whose files could not all be written before is completed first (the journal
  // does that on its way), or this one would be refused for ever.
  if (!write_journal(folder, journal)) return refuse(journal.front().file, false);
  if (!apply_journalled(folder, journal)) {
    // The journal is safely on the disk: the transaction stands and is completed by the next
    // commit or the next start. Only the operator is told.
    report_file(shop_, journal.front().file, false);
  }
  shop_.config.mark_saved();
  return true;
}

}  // namespace kelvo::records
