#include "records/journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <map>
#include <random>
#include <set>

#include "records/file_io.h"

namespace kelvo::records {

namespace {

constexpr char kOldHead[] = "KVJNL001";
constexpr char kOldTail[] = "KVJNLEND";
constexpr char kHead[] = "KVJNL002";
constexpr char kRecordHead[] = "KVJNLREC";
constexpr size_t kMagic = 8;
constexpr size_t kHeaderSize = kMagic + 16;
constexpr size_t kRecordFrame = kMagic + 20;  // magic, salt, sequence, body length
// A round holds a few dozen rentals before its files are synced and the journal is reused.
constexpr uint64_t kRoundCapacity = uint64_t{2} << 20;
uint64_t round_capacity = kRoundCapacity;
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

uint64_t get(const uint8_t* p, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
  return v;
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
    v = get(b, bytes);
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

void encode_body(const Journal& journal, std::vector<uint8_t>& out) {
  put(out, journal.size(), 4);
  for (const auto& w : journal) {
    put(out, w.whole ? 2 : 1, 1);
    put(out, w.file.size(), 1);
    out.insert(out.end(), w.file.begin(), w.file.end());
    put(out, w.offset, 8);
    put(out, w.bytes.size(), 4);
    out.insert(out.end(), w.bytes.begin(), w.bytes.end());
  }
}

// The writes of one body, appended to `journal`; false when the body does not read whole.
bool decode_body(const uint8_t* data, size_t len, Journal& journal) {
  Reader r(data, len);
  uint64_t count;
  if (!r.number(4, count)) return false;
  for (uint64_t i = 0; i < count; ++i) {
    JournalWrite w;
    if (!decode_write(r, w)) return false;
    journal.push_back(std::move(w));
  }
  return r.at() == len;
}

std::vector<uint8_t> encode_header(uint64_t salt) {
  std::vector<uint8_t> out(kHead, kHead + kMagic);
  put(out, salt, 8);
  put(out, fnv1a(out.data() + kMagic, 8), 8);
  return out;
}

std::vector<uint8_t> encode_record(const Journal& journal, uint64_t salt, uint64_t sequence) {
  std::vector<uint8_t> out(kRecordHead, kRecordHead + kMagic);
  put(out, salt, 8);
  put(out, sequence, 8);
  put(out, 0, 4);
  encode_body(journal, out);
  const uint64_t body = out.size() - kRecordFrame;
  for (int i = 0; i < 4; ++i) out[kMagic + 16 + i] = static_cast<uint8_t>(body >> (8 * i));
  put(out, fnv1a(out.data(), out.size()), 8);
  return out;
}

// The salt of a whole header, or nullopt.
std::optional<uint64_t> header_salt(const uint8_t* data, size_t len) {
  if (len < kHeaderSize || std::memcmp(data, kHead, kMagic) != 0) return std::nullopt;
  const uint64_t salt = get(data + kMagic, 8);
  if (get(data + kMagic + 8, 8) != fnv1a(data + kMagic, 8)) return std::nullopt;
  return salt;
}

std::optional<Journal> decode_old_journal(const uint8_t* data, size_t len) {
  if (len < 2 * kMagic + 12 || std::memcmp(data, kOldHead, kMagic) != 0) return std::nullopt;
  if (std::memcmp(data + len - kMagic, kOldTail, kMagic) != 0) return std::nullopt;
  const size_t body = len - kMagic - 8;
  if (get(data + body, 8) != fnv1a(data, body)) return std::nullopt;
  Journal journal;
  if (!decode_body(data + kMagic, body - kMagic, journal)) return std::nullopt;
  return journal;
}

// The round of a shop folder this process writes: where the next record goes and which files
// were written since the round began. A journal found replaced (a restore removes it) or a
// record not applied whole sends the next commit through the recovery of a start.
struct Round {
  dev_t device = 0;
  ino_t inode = 0;
  uint64_t salt = 0, next = 1, end = kHeaderSize;
  std::set<std::string> unsynced;
  bool incomplete = false;
  // A record could not be written whole: its place and number are uncertain, so the next
  // transaction begins a new round, under which nothing of it can ever be applied.
  bool uncertain = false;
};

std::map<std::string, Round>& rounds() {
  static std::map<std::string, Round> all;
  return all;
}

std::string key_of(const std::filesystem::path& folder) { return (folder / kJournalFile).parent_path().string(); }

// Drawn afresh each time: a generator's state would be shared by a process and its forks.
uint64_t new_salt() {
  std::random_device device;
  return (uint64_t{device()} << 32 | device()) | 1;
}

// The files of the round on the disk: one sync of the file system when they all live on the
// journal's, else one per file.
bool sync_written(const std::filesystem::path& folder, Round& round, int journal_fd) {
  if (round.unsynced.empty()) return true;
  bool same_disk = true;
  for (const auto& name : round.unsynced) {
    struct stat st {};
    same_disk = same_disk && ::stat((folder / name).c_str(), &st) == 0 && st.st_dev == round.device;
  }
  bool ok = same_disk && sync_file_system(journal_fd);
  if (!ok) {
    ok = true;
    for (const auto& name : round.unsynced) {
      Fd fd(open_regular(folder / name, O_WRONLY));
      ok = fd.get() >= 0 && sync_data(fd.get()) && ok;
    }
  }
  if (ok) round.unsynced.clear();
  return ok;
}

// A new round: its header, with the first record when there is one, written at the top and synced.
bool begin_round(Round& round, int fd, const Journal* first) {
  round.salt = new_salt();
  round.next = 1;
  std::vector<uint8_t> bytes = encode_header(round.salt);
  if (first) {
    const std::vector<uint8_t> record = encode_record(*first, round.salt, round.next++);
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  round.end = kHeaderSize;
  if (!pwrite_all(fd, bytes.data(), bytes.size(), 0)) return false;
  if (first) commit_step();
  if (!sync_data(fd)) return false;
  if (first) commit_step();
  round.end = bytes.size();
  return true;
}

// Before a data file is changed outside a transaction, the round that wrote it is closed: its
// records, applied again after a power cut, would undo the change.
void checkpoint_before(const std::filesystem::path& file) {
  if (journalled_name(file.filename().string())) checkpoint_journal(file.parent_path());
}

// The journal of the folder open for writing with its round known to this process, or -1.
int open_round(const std::filesystem::path& folder, Round*& round) {
  const auto file = folder / kJournalFile;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int fd = open_regular(file, O_WRONLY);
    struct stat st {};
    auto it = rounds().find(key_of(folder));
    if (fd >= 0 && ::fstat(fd, &st) == 0 && it != rounds().end() && it->second.device == st.st_dev &&
        it->second.inode == st.st_ino && !it->second.incomplete) {
      round = &it->second;
      return fd;
    }
    if (fd >= 0) ::close(fd);
    if (recover_journal(folder) == Recovery::Failed) return -1;
  }
  return -1;
}

}  // namespace

void set_journal_round_capacity(uint64_t bytes) { round_capacity = bytes ? bytes : kRoundCapacity; }

void set_commit_crash_step(int step) {
  crash_step = step;
  steps_taken = 0;
}

void commit_step() {
  if (crash_step > 0 && ++steps_taken == crash_step) ::_exit(86);
}

std::vector<uint8_t> encode_journal(const Journal& journal, uint64_t salt) {
  std::vector<uint8_t> out = encode_header(salt);
  const std::vector<uint8_t> record = encode_record(journal, salt, 1);
  out.insert(out.end(), record.begin(), record.end());
  return out;
}

std::optional<Journal> decode_journal(const uint8_t* data, size_t len) {
  if (auto old = decode_old_journal(data, len)) return old;
  const auto salt = header_salt(data, len);
  if (!salt) return std::nullopt;
  Journal journal;
  size_t at = kHeaderSize;
  for (uint64_t sequence = 1; len - at >= kRecordFrame + 8; ++sequence) {
    const uint8_t* r = data + at;
    const uint64_t body = get(r + kMagic + 16, 4);
    if (std::memcmp(r, kRecordHead, kMagic) != 0 || get(r + kMagic, 8) != *salt || get(r + kMagic + 8, 8) != sequence ||
        body > len - at - kRecordFrame - 8)
      break;
    if (get(r + kRecordFrame + body, 8) != fnv1a(r, kRecordFrame + body)) break;
    Journal record;
    if (!decode_body(r + kRecordFrame, body, record)) return std::nullopt;
    journal.insert(journal.end(), record.begin(), record.end());
    at += kRecordFrame + body + 8;
  }
  if (journal.empty()) return std::nullopt;
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
  for (auto& [name, fd] : open)
    if (fd >= 0) ok = ::close(fd) == 0 && ok;
  return ok;
}

bool write_journal(const std::filesystem::path& folder, const Journal& journal) {
  Round* round = nullptr;
  Fd fd(open_round(folder, round));
  if (fd.get() < 0) return false;
  std::vector<uint8_t> record = encode_record(journal, round->salt, round->next);
  const bool was_uncertain = round->uncertain;
  round->uncertain = true;
  // A full journal starts again from the top, once the files its records name are on the disk.
  if (was_uncertain || (round->end > kHeaderSize && round->end + record.size() > round_capacity)) {
    if (!sync_written(folder, *round, fd.get()) || !begin_round(*round, fd.get(), &journal)) return false;
    round->uncertain = false;
    return true;
  }
  if (!pwrite_all(fd.get(), record.data(), record.size(), round->end)) return false;
  commit_step();
  if (!sync_data(fd.get())) return false;
  commit_step();
  round->uncertain = false;
  round->end += record.size();
  ++round->next;
  return true;
}

bool apply_journalled(const std::filesystem::path& folder, const Journal& journal) {
  Round& round = rounds()[key_of(folder)];
  for (const auto& w : journal) round.unsynced.insert(w.file);
  if (apply_journal(folder, journal)) return true;
  round.incomplete = true;
  return false;
}

bool checkpoint_journal(const std::filesystem::path& folder) {
  auto it = rounds().find(key_of(folder));
  if (it == rounds().end() || (it->second.end <= kHeaderSize && !it->second.incomplete)) return true;
  if (it->second.incomplete) return recover_journal(folder) != Recovery::Failed;
  Round* round = nullptr;
  Fd fd(open_round(folder, round));
  return fd.get() >= 0 && sync_written(folder, *round, fd.get()) && begin_round(*round, fd.get(), nullptr);
}

JournalFound find_journal(const std::filesystem::path& folder) {
  const auto file = folder / kJournalFile;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return {};
  auto bytes = read_whole(file);
  if (!bytes) return {JournalState::Torn, {}};
  auto journal = decode_journal(bytes->data(), bytes->size());
  if (journal) return {JournalState::Complete, std::move(*journal)};
  return {header_salt(bytes->data(), bytes->size()) ? JournalState::None : JournalState::Torn, {}};
}

Recovery recover_journal(const std::filesystem::path& folder) {
  set_direct_change_hook(&checkpoint_before);
  rounds().erase(key_of(folder));
  const auto file = folder / kJournalFile;
  std::error_code ec;
  const bool existed = std::filesystem::exists(std::filesystem::symlink_status(file, ec));
  const JournalFound found = find_journal(folder);
  Fd fd(open_regular(file, O_RDWR | O_CREAT));
  struct stat st {};
  if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) return Recovery::Failed;
  Round round;
  round.device = st.st_dev;
  round.inode = st.st_ino;
  if (found.state == JournalState::None && existed) {
    // An empty round of its own: taken up as it is, at no cost.
    auto bytes = read_whole(file);
    round.salt = header_salt(bytes->data(), bytes->size()).value_or(0);
    rounds()[key_of(folder)] = round;
    return Recovery::None;
  }
  if (found.state == JournalState::Complete) {
    if (!apply_journal(folder, found.journal)) return Recovery::Failed;
    for (const auto& w : found.journal) round.unsynced.insert(w.file);
  }
  // The new journal's name must be on the disk before any file it names is touched.
  if (!sync_written(folder, round, fd.get()) || !begin_round(round, fd.get(), nullptr) ||
      (!existed && !sync_folder(folder)))
    return Recovery::Failed;
  rounds()[key_of(folder)] = round;
  if (found.state == JournalState::Complete) return Recovery::Applied;
  return existed ? Recovery::Discarded : Recovery::None;
}

}  // namespace kelvo::records
