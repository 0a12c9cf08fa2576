#include "store/mapped_files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace kelvo::store {

MappedFiles::~MappedFiles() {
  for (auto& [name, m] : maps_)
    if (m.data) ::munmap(m.data, m.size);
}

// The file is looked at each time, or once in a run: another part of the program may have
// replaced it whole, and a store past its end would kill the process.
uint8_t* MappedFiles::at(const std::filesystem::path& file, uint64_t offset, size_t n) {
  Map* m = nullptr;
  if (run_ > 0) {
    const auto seen = looked_.find(file.string());
    if (seen != looked_.end()) m = seen->second;
  }
  if (!m) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    m = &maps_[file.string()];
    if (!m->data || m->dev != st.st_dev || m->ino != st.st_ino || m->size != static_cast<size_t>(st.st_size)) {
      if (m->data) ::munmap(m->data, m->size);
      *m = Map{};
      const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
      if (fd < 0) return nullptr;
      struct stat opened {};
      void* p = MAP_FAILED;
      if (::fstat(fd, &opened) == 0 && opened.st_size > 0)
        p = ::mmap(nullptr, static_cast<size_t>(opened.st_size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
      ::close(fd);
      if (p == MAP_FAILED) return nullptr;
      *m = Map{opened.st_dev, opened.st_ino, static_cast<size_t>(opened.st_size), static_cast<uint8_t*>(p)};
    }
    if (run_ > 0) looked_[file.string()] = m;
  }
  if (!m->data || offset > m->size || n > m->size - offset) return nullptr;
  return m->data + offset;
}

std::span<const uint8_t> MappedFiles::whole(const std::filesystem::path& file) {
  const uint8_t* p = at(file, 0, 0);
  return p ? std::span<const uint8_t>(p, maps_.at(file.string()).size) : std::span<const uint8_t>{};
}

bool MappedFiles::write(const std::filesystem::path& file, uint64_t offset, const uint8_t* bytes, size_t n) {
  uint8_t* p = at(file, offset, n);
  if (p) std::memcpy(p, bytes, n);
  return p != nullptr;
}

bool MappedFiles::read(const std::filesystem::path& file, uint64_t offset, uint8_t* bytes, size_t n) {
  const uint8_t* p = at(file, offset, n);
  if (p) std::memcpy(bytes, p, n);
  return p != nullptr;
}

}  // namespace kelvo::store
