#pragma once
// The record files of a counter's working copy, read and written in place through a shared
// mapping. The copy is written in large pieces so that the page cache holds it in large pages
// and the counting pass maps it in a few faults; a write() into such a page walks every block
// of it, which cost a transaction more than the rest of its work, where a store into the
// mapping costs nothing once the page is dirty.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>

namespace kelvo::store {

class MappedFiles {
 public:
  MappedFiles() = default;
  ~MappedFiles();
  MappedFiles(const MappedFiles&) = delete;
  MappedFiles& operator=(const MappedFiles&) = delete;

  // Bytes wholly inside the file as it is now; false otherwise (the file replaced, grown or
  // shrunk is mapped again), when the caller reads or writes it with the system calls.
  bool write(const std::filesystem::path& file, uint64_t offset, const uint8_t* bytes, size_t n);
  bool read(const std::filesystem::path& file, uint64_t offset, uint8_t* bytes, size_t n);

  // The whole file as it is now; empty when it cannot be mapped.
  std::span<const uint8_t> whole(const std::filesystem::path& file);

  // A file replaced whole during a run is looked at again at its next write.
  void replaced(const std::filesystem::path& file) { looked_.erase(file.string()); }

  // While one is alive, each file is looked at once: for a run of writes that only this object
  // makes (a refresh, a transaction written back), where looking at the file again for each
  // record cost a refresh more than the records.
  class Run {
   public:
    explicit Run(MappedFiles& files) : files_(files) { files_.run_ += 1; }
    ~Run() {
      if (--files_.run_ == 0) files_.looked_.clear();
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

   private:
    MappedFiles& files_;
  };

 private:
  struct Map {
    dev_t dev = 0;
    ino_t ino = 0;
    size_t size = 0;
    uint8_t* data = nullptr;
  };
  uint8_t* at(const std::filesystem::path& file, uint64_t offset, size_t n);
  std::map<std::string, Map> maps_;
  int run_ = 0;
  std::map<std::string, Map*> looked_;  // the files looked at in the current run
};

}  // namespace kelvo::store
