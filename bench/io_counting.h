#pragma once
// Counts every open, read, write and sync the benchmark's process makes while `counting` is
// set: the calls pass through here on their way to the C library. Include it in one file of
// one benchmark program only.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<bool> counting{false};
std::atomic<long> opens{0}, reads{0}, writes{0}, syncs{0};

template <class F>
F next_symbol(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

// The process's own file calls pass through here on their way to the C library.
extern "C" {
int open(const char* path, int flags, ...) {
  static auto real = next_symbol<int (*)(const char*, int, ...)>("open");
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list ap;
    va_start(ap, flags);
    mode = static_cast<mode_t>(va_arg(ap, int));
    va_end(ap);
  }
  if (counting) {
    ++opens;
    // KELVO_BENCH_OPENS=1 names every file opened while counting, to see where the opens go.
    static const bool named = ::getenv("KELVO_BENCH_OPENS") != nullptr;
    if (named) ::dprintf(2, "open %s\n", path);
  }
  return real(path, flags, mode);
}
ssize_t pread(int fd, void* buf, size_t n, off_t pos) {
  static auto real = next_symbol<ssize_t (*)(int, void*, size_t, off_t)>("pread");
  if (counting) ++reads;
  return real(fd, buf, n, pos);
}
ssize_t read(int fd, void* buf, size_t n) {
  static auto real = next_symbol<ssize_t (*)(int, void*, size_t)>("read");
  if (counting) ++reads;
  return real(fd, buf, n);
}
ssize_t pwrite(int fd, const void* buf, size_t n, off_t pos) {
  static auto real = next_symbol<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
  if (counting) ++writes;
  return real(fd, buf, n, pos);
}
ssize_t write(int fd, const void* buf, size_t n) {
  static auto real = next_symbol<ssize_t (*)(int, const void*, size_t)>("write");
  if (counting) ++writes;
  return real(fd, buf, n);
}
int fdatasync(int fd) {
  static auto real = next_symbol<int (*)(int)>("fdatasync");
  if (counting) ++syncs;
  return real(fd);
}
int fsync(int fd) {
  static auto real = next_symbol<int (*)(int)>("fsync");
  if (counting) ++syncs;
  return real(fd);
}
}

