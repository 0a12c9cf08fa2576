#include "records/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kelvo::records {

namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { if (fd_ >= 0) ::close(fd_); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  // Closing can report a deferred write error, so writers check it.
  bool close() { int fd = fd_; fd_ = -1; return ::close(fd) == 0; }

 private:
  int fd_;
};

bool write_all(int fd, const uint8_t* p, size_t len) {
  while (len > 0) {
    ssize_t n = ::write(fd, p, len);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    len -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool write_file_atomic(const std::filesystem::path& file, const void* data, size_t len) {
  std::filesystem::path tmp = file;
  tmp += ".tmp";
  Fd fd(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!fd.ok()) return false;
  bool ok = write_all(fd.get(), static_cast<const uint8_t*>(data), len) && ::fsync(fd.get()) == 0;
  ok = fd.close() && ok;
  if (ok && ::rename(tmp.c_str(), file.c_str()) == 0) return true;
  ::unlink(tmp.c_str());
  return false;
}

std::optional<uint64_t> file_size(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(st.st_size);
}

long long read_at(const std::filesystem::path& file, uint64_t pos, void* out, size_t len) {
  Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.ok()) return -1;
  size_t got = 0;
  auto* p = static_cast<uint8_t*>(out);
  while (got < len) {
    ssize_t n = ::pread(fd.get(), p + got, len - got, static_cast<off_t>(pos + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return static_cast<long long>(got);
}

WriteResult write_at(const std::filesystem::path& file, uint64_t pos, const void* data, size_t len) {
  Fd fd(::open(file.c_str(), O_WRONLY | O_CLOEXEC));
  if (!fd.ok()) return WriteResult::NotOpened;
  const auto* p = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (done < len) {
    ssize_t n = ::pwrite(fd.get(), p + done, len - done, static_cast<off_t>(pos + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return WriteResult::ShortWrite;
    done += static_cast<size_t>(n);
  }
  // A record the counter reports as written must survive a power cut right after.
  if (::fdatasync(fd.get()) != 0) return WriteResult::ShortWrite;
  return fd.close() ? WriteResult::Ok : WriteResult::ShortWrite;
}

bool append_bytes(const std::filesystem::path& file, const void* data, size_t len) {
  Fd fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
  if (!fd.ok()) return false;
  bool ok = write_all(fd.get(), static_cast<const uint8_t*>(data), len) && (len == 0 || ::fdatasync(fd.get()) == 0);
  return fd.close() && ok;
}

std::optional<std::vector<uint8_t>> read_whole(const std::filesystem::path& file) {
  auto size = records::file_size(file);
  if (!size) return std::nullopt;
  std::vector<uint8_t> buf(*size);
  long long got = read_at(file, 0, buf.data(), buf.size());
  if (got < 0) return std::nullopt;
  buf.resize(static_cast<size_t>(got));
  return buf;
}

}  // namespace kelvo::records
