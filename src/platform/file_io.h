#pragma once
// Small file helpers shared by every data file: the one way to replace a whole file, whole-record
// reads and writes at a byte position, appends and file sizes. No data file stays open between
// operations, and nothing is read from a path that is not a regular file (a FIFO or a device in
// place of a data file would otherwise hang or feed the counter garbage).
#include <sys/types.h>
#include <unistd.h>
#include <sys/uio.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kelvo::platform {

// Opens a path only when it is a regular file, without ever blocking on a FIFO or a device.
// Returns the descriptor, or -1 (errno set; EINVAL when something else stands at the path).
// With O_CREAT the file is created with the mode of new_file_mode().
int open_regular(const std::filesystem::path& file, int flags);

// Owns one descriptor and closes it when it goes.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  // Closing can report a deferred write error, so writers check it.
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// The mode a new file of the program gets: owner-only for anything that may hold personal data
// or passwords, readable by others only for the film catalogue and store lines. The umask can
// only make either stricter.
mode_t new_file_mode(const std::filesystem::path& file);

// Makes a rename or an unlink in the folder survive a power cut.
bool sync_folder(const std::filesystem::path& folder);
// Waits until what was written to the file is on the disk (its data and size).
bool sync_data(int fd);
// Waits until every file of the file system holding fd is on the disk, names included: one
// disk sync for several files. Falls back to false where the system cannot tell it worked.
bool sync_file_system(int fd);
// Renames and removes that a simulated disk (below) is told of.
bool rename_file(const std::filesystem::path& from, const std::filesystem::path& to);
bool remove_file(const std::filesystem::path& file);
bool truncate_file(int fd, uint64_t length);

// What every write, sync, rename and removal of the data files tells the disk, for a test that
// stands in for it: a power-cut test keeps apart what was written but not yet synced and throws
// it away at a cut. Each call comes after the operation was done; while an observer is set it
// stands in for the disk and no real sync is made. Not set in the program.
class DiskObserver {
 public:
  virtual ~DiskObserver() = default;
  virtual void created(const std::filesystem::path& file) = 0;
  virtual void written(int fd) = 0;
  virtual void synced(int fd) = 0;
  virtual void file_system_synced() = 0;
  virtual void folder_synced(const std::filesystem::path& folder) = 0;
  // `replaced` is the inode that stood at `to` before (0 for none).
  virtual void renamed(const std::filesystem::path& from, const std::filesystem::path& to, ino_t moved, ino_t replaced) = 0;
  virtual void removed(const std::filesystem::path& file, ino_t inode) = 0;
};
void set_disk_observer(DiskObserver* observer);
// Called before a file is changed other than by a commit: written at a position or replaced
// whole. The commit's journal uses it to make its own last writes durable first, so that the
// journal applied again after a power cut can never undo a later change.
using DirectChangeHook = void (*)(const std::filesystem::path& file);
void set_direct_change_hook(DirectChangeHook hook);
void before_direct_change(const std::filesystem::path& file);
// Called once a file has been changed other than by a commit: bytes written at a position, or
// (offset kWholeFile) the file replaced, created, renamed or removed whole. A shop kept on a
// database server sends such changes on to the server.
constexpr uint64_t kWholeFile = ~uint64_t{0};
// The first of the two notices of a rename: the file's content now stands under the name of
// the second notice (which comes as kWholeFile).
constexpr uint64_t kMovedAway = kWholeFile - 1;
using ChangedHook = void (*)(const std::filesystem::path& file, uint64_t offset, uint64_t length);
void set_changed_hook(ChangedHook hook);

// Opens a new file with O_CREAT | O_EXCL | O_NOFOLLOW, told to a simulated disk.
int create_exclusive(const std::filesystem::path& file, int flags, mode_t mode);

// A whole file written under a unique temporary name in the same folder (O_EXCL | O_NOFOLLOW),
// synced, renamed over the target and the folder synced. The replaced file's mode is kept; a new
// file gets new_file_mode(). Until commit() the target is untouched; dropped uncommitted, the
// temporary file goes with it. Nothing half-written is ever left under the real name.
//
// Scratch files (the sorted work files a list rebuilds every time) skip the two disk syncs and
// take the place of the old file after it has been removed: a crash may lose them, never
// half-write them, and the next list writes them again.
enum class Durability { Synced, Scratch };
class FileReplacement {
 public:
  explicit FileReplacement(std::filesystem::path target, Durability durability = Durability::Synced);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  bool opened() const { return fd_ >= 0; }
  // Buffered; a failure is remembered and makes commit() fail.
  void write(const void* data, size_t len);
  // Pieces lying apart in memory, written in their order straight from where they lie.
  void write_pieces(std::vector<struct iovec> pieces);
  bool commit();

 private:
  bool flush();
  std::filesystem::path target_, temp_;
  int fd_ = -1;
  bool good_ = true;
  bool committed_ = false;
  Durability durability_;
  std::vector<uint8_t> buffer_;
};

// The bytes as the whole new content of the file, through FileReplacement.
bool write_file_atomic(const std::filesystem::path& file, const void* data, size_t len,
                       Durability durability = Durability::Synced);
// A regular file copied whole over the target, through FileReplacement. A source that is not
// readable owner-write (a backup on a write-protected medium) does not make a read-only target.
bool copy_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to);

// True when a regular file stands at the path and may be written: what an open for writing
// would tell, without opening it.
bool writable_file(const std::filesystem::path& file);
// Size of a regular file, or nullopt when it does not exist or cannot be read.
std::optional<uint64_t> file_size(const std::filesystem::path& file);
// Reads up to len bytes at pos; returns the count read, or -1 when the file cannot be opened.
long long read_at(const std::filesystem::path& file, uint64_t pos, void* out, size_t len);
// Writes exactly len bytes at pos of an existing file and waits until they are on the disk. Open failure and short write are
// told apart so that each gets its own message.
// Refused: the shop's database server did not take the write, and the operator has been told why.
enum class WriteResult { Ok, NotOpened, ShortWrite, Refused };
WriteResult write_at(const std::filesystem::path& file, uint64_t pos, const void* data, size_t len);
// Appends bytes (flushed to the disk), creating the file when missing. False when it cannot be opened or written.
bool append_bytes(const std::filesystem::path& file, const void* data, size_t len);
// Whole file into memory (nullopt when it cannot be opened).
std::optional<std::vector<uint8_t>> read_whole(const std::filesystem::path& file);

// The first `length` bytes of a regular file seen read-only in memory, for one pass over every
// record of a data file: the pages already in the page cache are mapped rather than copied, so
// the pass costs less than one read of the file. Where the file cannot be mapped, the bytes are
// read into memory instead. Records are only ever added at the end of a data file, so the
// mapped part never shrinks under the pass.
class FileView {
 public:
  FileView(const std::filesystem::path& file, uint64_t length);
  ~FileView();
  FileView(const FileView&) = delete;
  FileView& operator=(const FileView&) = delete;
  // False when the file could not be opened or is shorter than the length asked for.
  bool ok() const { return data_ != nullptr; }
  // False when the file could not be opened at all (rather than read).
  bool opened() const { return opened_; }
  const uint8_t* data() const { return data_; }

 private:
  const uint8_t* data_ = nullptr;
  void* mapped_ = nullptr;
  size_t length_ = 0;
  bool opened_ = false;
  std::vector<uint8_t> copy_;
};

// Loops over short transfers and EINTR; false on an error or a write of nothing.
bool write_all(int fd, const void* data, size_t len);
bool pwrite_all(int fd, const void* data, size_t len, uint64_t pos);
// Reads up to len bytes at pos; the count read, or -1 on an error.
long long pread_all(int fd, void* out, size_t len, uint64_t pos);

}  // namespace kelvo::platform
