#pragma once
// A disk that loses power. It watches every write, sync, rename and removal the program makes in
// one folder and keeps apart what is only written from what is synced. At the cut it puts in
// the folder what a disk might hold after the power came back, and ends the process: either
// nothing that was not synced, or a random part of it, block by block and in any order, while
// the renames and removals not yet made durable by a folder sync are kept only up to a random
// one (a journalling file system keeps them in their order).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "records/file_io.h"

namespace kelvo::crash {

class SimulatedDisk : public records::DiskObserver {
 public:
  enum class Loss { Everything, RandomBlocks };
  static constexpr int kCutExit = 87;
  static constexpr size_t kBlock = 4096;

  // What the folder holds now is taken as being on the disk.
  explicit SimulatedDisk(std::filesystem::path folder) : folder_(std::move(folder)) { take_all_as_synced(); }
  // The cut comes right after the `event`-th write, sync, rename or removal (0: never).
  void cut_at(int event, Loss loss, uint32_t seed) {
    cut_at_ = event;
    loss_ = loss;
    rng_.seed(seed);
  }
  int events() const { return events_; }

  [[noreturn]] void cut() {
    records::set_disk_observer(nullptr);
    std::map<std::string, int> names = names_;
    const size_t kept = loss_ == Loss::Everything ? 0 : rng_() % (ops_.size() + 1);
    for (size_t i = 0; i < kept; ++i) apply(ops_[i], names);
    std::map<int, std::string> now;
    for (const auto& [name, inode] : listing()) now[file_[inode]] = name;
    std::map<std::string, std::vector<uint8_t>> after;
    for (const auto& [name, file] : names) {
      const std::vector<uint8_t>& synced = content_[file];
      auto current = now.find(file);
      after[name] = loss_ == Loss::Everything || current == now.end() ? synced
                                                                       : blend(synced, read_file(folder_ / current->second));
    }
    for (const auto& [name, inode] : listing()) ::unlink((folder_ / name).c_str());
    for (const auto& [name, bytes] : after) {
      const int fd = ::open((folder_ / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd < 0 || (!bytes.empty() && ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())))
        ::_exit(2);
      ::close(fd);
    }
    ::_exit(kCutExit);
  }

  void created(const std::filesystem::path& file) override {
    if (file.parent_path() != folder_) return;
    // An inode freed a moment ago may come back as this new file.
    const int id = file_[inode_of(file)] = ++files_;
    ops_.push_back({Op::Create, file.filename().string(), {}, id});
    event();
  }
  void written(int fd) override {
    if (known(fd)) event();
  }
  void synced(int fd) override {
    if (!known(fd)) return;
    struct stat st {};
    ::fstat(fd, &st);
    // The descriptor may be open for writing only: the file is read again through its link.
    content_[file_[st.st_ino]] = read_file("/proc/self/fd/" + std::to_string(fd));
    event();
  }
  void file_system_synced() override {
    take_all_as_synced();
    event();
  }
  void folder_synced(const std::filesystem::path& folder) override {
    if (folder != folder_) return;
    for (const Op& op : ops_) apply(op, names_);
    ops_.clear();
    event();
  }
  void renamed(const std::filesystem::path& from, const std::filesystem::path& to, ino_t moved, ino_t) override {
    if (to.parent_path() != folder_) return;
    ops_.push_back({Op::Rename, from.filename().string(), to.filename().string(), file_[moved]});
    event();
  }
  void removed(const std::filesystem::path& file, ino_t inode) override {
    if (file.parent_path() != folder_) return;
    ops_.push_back({Op::Remove, file.filename().string(), {}, file_[inode]});
    event();
  }

 private:
  struct Op {
    enum Kind { Create, Rename, Remove } kind;
    std::string name, to;
    int file;
  };

  // Files are told apart by a number of their own: the file system gives a freed inode to the
  // next new file.
  void take_all_as_synced() {
    names_.clear();
    ops_.clear();
    for (const auto& [name, inode] : listing()) {
      if (!file_.count(inode)) file_[inode] = ++files_;
      names_[name] = file_[inode];
      content_[file_[inode]] = read_file(folder_ / name);
    }
  }

  void event() {
    if (++events_ == cut_at_) cut();
  }
  static void apply(const Op& op, std::map<std::string, int>& names) {
    if (op.kind == Op::Create) names[op.name] = op.file;
    if (op.kind == Op::Remove) names.erase(op.name);
    if (op.kind == Op::Rename) {
      names.erase(op.name);
      names[op.to] = op.file;
    }
  }
  // Each block of the file as synced or as written since, and its length either way: a block
  // past the end of what was kept reads as zeros.
  std::vector<uint8_t> blend(const std::vector<uint8_t>& synced, const std::vector<uint8_t>& written) {
    std::vector<uint8_t> out(rng_() % 2 ? synced.size() : written.size(), 0);
    for (size_t at = 0; at < out.size(); at += kBlock) {
      const std::vector<uint8_t>& from = rng_() % 2 ? synced : written;
      for (size_t i = at; i < std::min(out.size(), at + kBlock) && i < from.size(); ++i) out[i] = from[i];
    }
    return out;
  }
  bool known(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && file_.count(st.st_ino);
  }
  static ino_t inode_of(const std::filesystem::path& file) {
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 ? st.st_ino : 0;
  }
  std::map<std::string, ino_t> listing() const {
    std::map<std::string, ino_t> out;
    for (const auto& e : std::filesystem::directory_iterator(folder_))
      if (e.is_regular_file()) out[e.path().filename().string()] = inode_of(e.path());
    return out;
  }
  static std::vector<uint8_t> read_file(const std::filesystem::path& file) {
    return records::read_whole(file).value_or(std::vector<uint8_t>{});
  }

  std::filesystem::path folder_;
  std::map<ino_t, int> file_;                // the file each inode of the folder holds now
  int files_ = 0;
  std::map<std::string, int> names_;         // the names as on the disk
  std::map<int, std::vector<uint8_t>> content_;  // each file's content as on the disk
  std::vector<Op> ops_;                      // creations, renames and removals not yet on the disk
  int events_ = 0;
  int cut_at_ = 0;
  Loss loss_ = Loss::Everything;
  std::mt19937 rng_;
};

}  // namespace kelvo::crash
