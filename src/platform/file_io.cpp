#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <random>
#include <string_view>

namespace kelvo::platform {

namespace {


// Files whose content is meant to be seen by others: the catalogue, the stock lines, the store
// lines and what is made of the catalogue for a web site. Everything else may name a member or
// hold a password.
constexpr std::array<std::string_view, 9> kSharedFiles = {
    "film.dat", "mans.dat", "ADDRESS.RK", "FILM.TXT", "FILM.HTM", "FILM.XML", "filmstock.dat", "filmstock.xml", "f2.dat"};

std::string temporary_name(const std::filesystem::path& target) {
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = "." + target.filename().string() + ".";
  for (int i = 0; i < 8; ++i) name += kLetters[rng() % (sizeof kLetters - 1)];
  return name;
}

DiskObserver* observer = nullptr;
DirectChangeHook direct_change_hook = nullptr;
ChangedHook changed_hook = nullptr;

void tell_changed(const std::filesystem::path& file, uint64_t offset = kWholeFile, uint64_t length = 0) {
  if (changed_hook) changed_hook(file, offset, length);
}

ino_t inode_of(const std::filesystem::path& file) {
  struct stat st {};
  return ::lstat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

void tell_written(int fd) {
  if (observer) observer->written(fd);
}

}  // namespace

void set_disk_observer(DiskObserver* o) { observer = o; }

void set_direct_change_hook(DirectChangeHook hook) { direct_change_hook = hook; }

void set_changed_hook(ChangedHook hook) { changed_hook = hook; }

void before_direct_change(const std::filesystem::path& file) {
  if (direct_change_hook) direct_change_hook(file);
}

int open_regular(const std::filesystem::path& file, int flags) {
  const mode_t mode = (flags & O_CREAT) ? new_file_mode(file) : 0;
  const bool creates = observer && (flags & O_CREAT) && inode_of(file) == 0;
  int fd = ::open(file.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  if (creates) observer->created(file);
  struct stat st {};
  // A write-only open may meet a character device (a log pointed at /dev/null); nothing is
  // ever read from anything but a regular file.
  const bool usable = ::fstat(fd, &st) == 0 &&
                      (S_ISREG(st.st_mode) || ((flags & O_ACCMODE) == O_WRONLY && S_ISCHR(st.st_mode)));
  if (!usable) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  // O_NONBLOCK kept the open from hanging on a FIFO; on a regular file it changes nothing and is
  // left, two system calls fewer for every open.
  if (!S_ISREG(st.st_mode)) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

mode_t new_file_mode(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  for (auto shared : kSharedFiles)
    if (name == shared) return 0666;
  return 0600;
}

// A simulated disk stands in for the real one: what it is told is synced is synced, and the
// power-cut test need not wait for the real disk thousands of times.
bool sync_folder(const std::filesystem::path& folder) {
  if (observer) {
    observer->folder_synced(folder);
    return true;
  }
  Fd fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return fd.ok() && ::fsync(fd.get()) == 0;
}

bool sync_data(int fd) {
  if (observer) {
    observer->synced(fd);
    return true;
  }
  return ::fdatasync(fd) == 0;
}

bool sync_file_system(int fd) {
  if (observer) {
    observer->file_system_synced();
    return true;
  }
  return ::syncfs(fd) == 0;
}

bool rename_file(const std::filesystem::path& from, const std::filesystem::path& to) {
  const ino_t moved = observer ? inode_of(from) : 0, replaced = observer ? inode_of(to) : 0;
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  if (observer) observer->renamed(from, to, moved, replaced);
  tell_changed(from, kMovedAway);
  tell_changed(to);
  return true;
}

bool remove_file(const std::filesystem::path& file) {
  const ino_t inode = observer ? inode_of(file) : 0;
  if (::unlink(file.c_str()) != 0) return false;
  if (observer) observer->removed(file, inode);
  tell_changed(file);
  return true;
}

bool truncate_file(int fd, uint64_t length) {
  if (::ftruncate(fd, static_cast<off_t>(length)) != 0) return false;
  tell_written(fd);
  return true;
}

int create_exclusive(const std::filesystem::path& file, int flags, mode_t mode) {
  const int fd = ::open(file.c_str(), flags | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd >= 0 && observer) observer->created(file);
  return fd;
}

bool write_all(int fd, const void* data, size_t len) {
  const auto* p = static_cast<const uint8_t*>(data);
  while (len > 0) {
    ssize_t n = ::write(fd, p, len);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    len -= static_cast<size_t>(n);
    tell_written(fd);
  }
  return true;
}

bool pwrite_all(int fd, const void* data, size_t len, uint64_t pos) {
  const auto* p = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (done < len) {
    ssize_t n = ::pwrite(fd, p + done, len - done, static_cast<off_t>(pos + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
    tell_written(fd);
  }
  return true;
}

long long pread_all(int fd, void* out, size_t len, uint64_t pos) {
  auto* p = static_cast<uint8_t*>(out);
  size_t got = 0;
  while (got < len) {
    ssize_t n = ::pread(fd, p + got, len - got, static_cast<off_t>(pos + got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return static_cast<long long>(got);
}

FileReplacement::FileReplacement(std::filesystem::path target, Durability durability)
    : target_(std::move(target)), durability_(durability) {
  struct stat st {};
  const bool replacing = ::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    temp_ = target_.parent_path() / temporary_name(target_);
    fd_ = create_exclusive(temp_, O_WRONLY, new_file_mode(target_));
    if (fd_ < 0 && errno != EEXIST) break;
  }
  // The shop's own choice of mode for the file it replaces stays; umask does not widen it.
  if (fd_ >= 0 && replacing) good_ = ::fchmod(fd_, st.st_mode & 07777) == 0;
}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) remove_file(temp_);
}

void FileReplacement::write(const void* data, size_t len) {
  const auto* p = static_cast<const uint8_t*>(data);
  if (buffer_.empty() && len >= (1u << 16)) {
    if (good_ && fd_ >= 0) good_ = write_all(fd_, p, len);
    return;
  }
  buffer_.insert(buffer_.end(), p, p + len);
  if (buffer_.size() >= (1u << 16)) flush();
}

void FileReplacement::write_pieces(std::vector<struct iovec> pieces) {
  if (!flush()) return;
  for (size_t first = 0; good_ && first < pieces.size();) {
    const int count = static_cast<int>(std::min<size_t>(pieces.size() - first, IOV_MAX));
    const ssize_t n = ::writev(fd_, &pieces[first], count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      good_ = false;
      break;
    }
    tell_written(fd_);
    // A short write leaves the rest of a piece, and the pieces after it, for the next call.
    for (size_t done = static_cast<size_t>(n); done > 0;) {
      iovec& piece = pieces[first];
      const size_t taken = std::min(done, piece.iov_len);
      piece.iov_base = static_cast<uint8_t*>(piece.iov_base) + taken;
      piece.iov_len -= taken;
      done -= taken;
      if (piece.iov_len == 0) ++first;
    }
  }
}

bool FileReplacement::flush() {
  if (good_ && fd_ >= 0 && !buffer_.empty()) good_ = write_all(fd_, buffer_.data(), buffer_.size());
  buffer_.clear();
  return good_;
}

bool FileReplacement::commit() {
  if (fd_ < 0 || committed_) return false;
  const bool synced = durability_ == Durability::Synced;
  bool ok = flush() && (!synced || sync_data(fd_));
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  before_direct_change(target_);
  // Renaming over an existing file makes the file system start writing the new one to disk at
  // once; a scratch file need not wait for that, so the old one goes first.
  if (ok && !synced) remove_file(target_);
  if (!ok || !rename_file(temp_, target_)) return false;
  committed_ = true;
  // The file is complete either way; an unsynced folder only risks the old content after a power cut.
  if (synced) sync_folder(target_.parent_path());
  return true;
}

bool write_file_atomic(const std::filesystem::path& file, const void* data, size_t len,
                       Durability durability) {
  FileReplacement out(file, durability);
  out.write(data, len);
  return out.commit();
}

bool copy_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  Fd in(open_regular(from, O_RDONLY));
  if (!in.ok()) return false;
  FileReplacement out(to);
  if (!out.opened()) return false;
  std::vector<uint8_t> buf(1 << 20);
  for (uint64_t pos = 0;;) {
    long long got = pread_all(in.get(), buf.data(), buf.size(), pos);
    if (got < 0) return false;
    if (got == 0) break;
    out.write(buf.data(), static_cast<size_t>(got));
    pos += static_cast<uint64_t>(got);
  }
  return out.commit();
}

bool writable_file(const std::filesystem::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(file.c_str(), W_OK) == 0;
}

std::optional<uint64_t> file_size(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(st.st_size);
}

long long read_at(const std::filesystem::path& file, uint64_t pos, void* out, size_t len) {
  Fd fd(open_regular(file, O_RDONLY));
  if (!fd.ok()) return -1;
  long long got = pread_all(fd.get(), out, len, pos);
  return got < 0 ? 0 : got;
}

WriteResult write_at(const std::filesystem::path& file, uint64_t pos, const void* data, size_t len) {
  Fd fd(open_regular(file, O_WRONLY));
  if (!fd.ok()) return WriteResult::NotOpened;
  before_direct_change(file);
  if (!pwrite_all(fd.get(), data, len, pos)) return WriteResult::ShortWrite;
  // A record the counter reports as written must survive a power cut right after.
  if (!sync_data(fd.get())) return WriteResult::ShortWrite;
  if (!fd.close()) return WriteResult::ShortWrite;
  tell_changed(file, pos, len);
  return WriteResult::Ok;
}

bool append_bytes(const std::filesystem::path& file, const void* data, size_t len) {
  Fd fd(open_regular(file, O_WRONLY | O_CREAT | O_APPEND));
  if (!fd.ok()) return false;
  struct stat st {};
  const uint64_t end = ::fstat(fd.get(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
  bool ok = write_all(fd.get(), data, len) && (len == 0 || sync_data(fd.get()));
  ok = fd.close() && ok;
  if (ok) tell_changed(file, end, len);
  return ok;
}

std::optional<std::vector<uint8_t>> read_whole(const std::filesystem::path& file) {
  Fd fd(open_regular(file, O_RDONLY));
  if (!fd.ok()) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return std::nullopt;
  std::vector<uint8_t> buf(static_cast<size_t>(st.st_size));
  long long got = pread_all(fd.get(), buf.data(), buf.size(), 0);
  if (got < 0) return std::nullopt;
  buf.resize(static_cast<size_t>(got));
  return buf;
}

FileView::FileView(const std::filesystem::path& file, uint64_t length) : length_(static_cast<size_t>(length)) {
  Fd fd(open_regular(file, O_RDONLY));
  opened_ = fd.ok();
  struct stat st {};
  if (!fd.ok() || ::fstat(fd.get(), &st) != 0 || static_cast<uint64_t>(st.st_size) < length) return;
  static const uint8_t kNothing = 0;
  if (length_ == 0) {
    data_ = &kNothing;
    return;
  }
  void* p = ::mmap(nullptr, length_, PROT_READ, MAP_SHARED | MAP_POPULATE, fd.get(), 0);
  if (p != MAP_FAILED) {
    mapped_ = p;
    data_ = static_cast<const uint8_t*>(p);
    return;
  }
  copy_.resize(length_);
  if (pread_all(fd.get(), copy_.data(), length_, 0) == static_cast<long long>(length_)) data_ = copy_.data();
}

FileView::~FileView() {
  if (mapped_) ::munmap(mapped_, length_);
}

}  // namespace kelvo::platform
