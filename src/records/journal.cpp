#include "records/journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <map>

#include "records/file_io.h"

namespace kelvo::records {

namespace {

constexpr char kHead[] = "KVJNL001";
constexpr char kTail[] = "KVJNLEND";
constexpr size_t kMagic = 8;
// The only files a transaction writes; a journal naming anything else is not ours.
constexpr std::array<std::string_view, 6> kJournalled = {"film.dat", "member.dat", "mans.dat",
                                                         "wr.cfg",   "lgb4.dat",   "resn.dat"};
// No record file reaches a terabyte; an offset beyond it is a damaged journal.
constexpr uint64_t kMaxOffset = uint64_t{1} << 40;

int crash_step = 0;
int steps_taken = 0;

uint64_t fnv1a(const uint8_t* p, size_t n) {
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
  return h;
}

void put(std::vector<uint8_t>& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

class Reader {
 public:
  Reader(const uint8_t* p, size_t n) : p_(p), n_(n) {}
  bool take(size_t k, const uint8_t*& out) {
    if (k > n_ - at_) return false;
    out = p_ + at_;
    at_ += k;
    return true;
  }
  bool number(int bytes, uint64_t& v) {
    const uint8_t* b;
    if (!take(static_cast<size_t>(bytes), b)) return false;
    v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(b[i]) << (8 * i);
    return true;
  }
  size_t at() const { return at_; }

 private:
  const uint8_t* p_;
  size_t n_;
  size_t at_ = 0;
};

bool journalled_name(std::string_view name) {
  for (auto n : kJournalled)
    if (n == name) return true;
  return false;
}

bool decode_write(Reader& r, JournalWrite& w) {
  uint64_t kind, name_len, offset, len;
  const uint8_t* name;
  const uint8_t* bytes;
  if (!r.number(1, kind) || (kind != 1 && kind != 2) || !r.number(1, name_len) || !r.take(name_len, name)) return false;
  if (!r.number(8, offset) || !r.number(4, len) || offset > kMaxOffset || !r.take(len, bytes)) return false;
  w.file.assign(reinterpret_cast<const char*>(name), name_len);
  w.whole = kind == 2;
  w.offset = offset;
  w.bytes.assign(bytes, bytes + len);
  return journalled_name(w.file) && (!w.whole || offset == 0);
}

}  // namespace

void set_commit_crash_step(int step) {
  crash_step = step;
  steps_taken = 0;
}

void commit_step() {
  if (crash_step > 0 && ++steps_taken == crash_step) ::_exit(86);
}

std::vector<uint8_t> encode_journal(const Journal& journal) {
  std::vector<uint8_t> out(kHead, kHead + kMagic);
  put(out, journal.size(), 4);
  for (const auto& w : journal) {
    put(out, w.whole ? 2 : 1, 1);
    put(out, w.file.size(), 1);
    out.insert(out.end(), w.file.begin(), w.file.end());
    put(out, w.offset, 8);
    put(out, w.bytes.size(), 4);
    out.insert(out.end(), w.bytes.begin(), w.bytes.end());
  }
  put(out, fnv1a(out.data(), out.size()), 8);
  out.insert(out.end(), kTail, kTail + kMagic);
  return out;
}

std::optional<Journal> decode_journal(const uint8_t* data, size_t len) {
  if (len < 2 * kMagic + 12 || std::memcmp(data, kHead, kMagic) != 0) return std::nullopt;
  if (std::memcmp(data + len - kMagic, kTail, kMagic) != 0) return std::nullopt;
  const size_t body = len - kMagic - 8;
  uint64_t sum = 0;
  for (int i = 0; i < 8; ++i) sum |= static_cast<uint64_t>(data[body + i]) << (8 * i);
  if (sum != fnv1a(data, body)) return std::nullopt;
  Reader r(data, body);
  const uint8_t* head;
  uint64_t count;
  r.take(kMagic, head);
  if (!r.number(4, count)) return std::nullopt;
  Journal journal;
  for (uint64_t i = 0; i < count; ++i) {
    JournalWrite w;
    if (!decode_write(r, w)) return std::nullopt;
    journal.push_back(std::move(w));
  }
  if (r.at() != body) return std::nullopt;
  return journal;
}

bool apply_journal(const std::filesystem::path& folder, const Journal& journal) {
  std::map<std::string, int> open;
  bool ok = true;
  for (const auto& w : journal) {
    auto it = open.find(w.file);
    if (it == open.end()) {
      // Only the log may be brought into being by a transaction; a record file that has gone
      // must not come back as a few records after a hole.
      const bool may_create = w.file == "lgb4.dat";
      it = open.emplace(w.file, open_regular(folder / w.file, O_WRONLY | (may_create ? O_CREAT : 0))).first;
    }
    const int fd = it->second;
    ok = fd >= 0 && (!w.whole || truncate_file(fd, 0)) && pwrite_all(fd, w.bytes.data(), w.bytes.size(), w.offset);
    if (!ok) break;
    commit_step();
  }
  for (auto& [name, fd] : open) {
    if (fd < 0) continue;
    if (ok) ok = sync_data(fd);
    ok = ::close(fd) == 0 && ok;
    if (ok) commit_step();
  }
  return ok;
}

JournalFound find_journal(const std::filesystem::path& folder) {
  const auto file = folder / kJournalFile;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return {};
  auto bytes = read_whole(file);
  if (!bytes) return {JournalState::Torn, {}};
  auto journal = decode_journal(bytes->data(), bytes->size());
  if (!journal) return {JournalState::Torn, {}};
  return {JournalState::Complete, std::move(*journal)};
}

Recovery recover_journal(const std::filesystem::path& folder) {
  auto found = find_journal(folder);
  if (found.state == JournalState::None) return Recovery::None;
  if (found.state == JournalState::Complete && !apply_journal(folder, found.journal)) return Recovery::Failed;
  const auto file = folder / kJournalFile;
  if (!remove_file(file) || !sync_folder(folder)) return Recovery::Failed;
  return found.state == JournalState::Complete ? Recovery::Applied : Recovery::Discarded;
}

}  // namespace kelvo::records
