#pragma once
// A record file and its in-memory index, prefix table and counts. The file has no header: it is
// an array of fixed-size records, a record's slot never changes, deleted slots are reused first
// and the file only grows.
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "records/file_io.h"
#include "records/number_index.h"
#include "records/pending_writes.h"
#include "text/utf16.h"

namespace kelvo::records {

struct RecordCounts {
  int64_t total = 0;  // slots in the file, live and deleted
  int64_t deleted = 0;
  int64_t live = 0;
};

using Prefix = std::array<char16_t, 2>;

enum class ReadResult { Ok, NotOpened, ShortRead, UnknownNumber };

// Reads records of one file for the length of a search: the file stays open while the cursor
// lives, and slots are read a window at a time, so walking the whole file in slot order costs
// about one sequential read instead of an open, a seek and a close per record.
class RecordCursor {
 public:
  RecordCursor(const std::filesystem::path& file, size_t record_size);
  ~RecordCursor();
  RecordCursor(const RecordCursor&) = delete;
  RecordCursor& operator=(const RecordCursor&) = delete;
  ReadResult read(int64_t slot, uint8_t* out);
  bool opened() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  size_t record_size_;
  std::vector<uint8_t> window_;
  int64_t first_ = 0;  // slot of the window's first record
  int64_t count_ = 0;  // whole records in the window
  int64_t last_ = -2;  // slot read last
};

template <class Record>
class RecordStore {
 public:
  static constexpr size_t kRecordSize = Record::kSize;

  void set_file(std::filesystem::path file) {
    file_ = std::move(file);
    name_ = file_.filename().string();
  }
  // The shop's transaction in progress, whose writes this file's records join.
  void set_pending(PendingWrites* pending) { pending_ = pending; }
  const std::filesystem::path& file() const { return file_; }
  const NumberIndex& index() const { return index_; }
  NumberIndex& index() { return index_; }
  const RecordCounts& counts() const { return counts_; }
  RecordCounts& counts() { return counts_; }
  const std::vector<Prefix>& prefixes() const { return prefixes_; }
  std::vector<Prefix>& prefixes() { return prefixes_; }

  // What a transaction that adds or deletes records changes in memory before it is committed:
  // taken before, put back when the transaction is refused and the file stays as it was.
  class Memory {
   public:
    explicit Memory(RecordStore& store)
        : store_(store), index_(store.index_), prefixes_(store.prefixes_), counts_(store.counts_) {}
    void put_back() {
      store_.index_ = index_;
      store_.prefixes_ = prefixes_;
      store_.counts_ = counts_;
    }

   private:
    RecordStore& store_;
    NumberIndex index_;
    std::vector<Prefix> prefixes_;
    RecordCounts counts_;
  };

  // Keeps the file open for reading while it lives, for one counter operation that reads many
  // single records (a rental reads the member and every item, a return every line): each read
  // then costs a pread instead of an open and a close. Nested holds share the outer one; the
  // file is closed when the operation ends, as every data file is between operations.
  class HeldOpen {
   public:
    explicit HeldOpen(const RecordStore& store) : store_(store) {
      if (store_.held_fd_ >= 0) return;
      store_.held_fd_ = open_regular(store_.file_, O_RDONLY);
      owner_ = store_.held_fd_ >= 0;
    }
    ~HeldOpen() {
      if (!owner_) return;
      ::close(store_.held_fd_);
      store_.held_fd_ = -1;
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

   private:
    const RecordStore& store_;
    bool owner_ = false;
  };

  ReadResult read_slot(int64_t slot, Record& out) const {
    if (pending_ && pending_->read(name_, static_cast<uint64_t>(slot) * kRecordSize, out.data(), kRecordSize))
      return ReadResult::Ok;
    const uint64_t pos = static_cast<uint64_t>(slot) * kRecordSize;
    long long got = held_fd_ >= 0 ? pread_all(held_fd_, out.data(), kRecordSize, pos) : read_at(file_, pos, out.data(), kRecordSize);
    if (got < 0) return ReadResult::NotOpened;
    return got == static_cast<long long>(kRecordSize) ? ReadResult::Ok : ReadResult::ShortRead;
  }
  ReadResult read_number(int64_t number, Record& out) const {
    auto slot = index_.find(number);
    if (!slot || number <= 0) return ReadResult::UnknownNumber;
    return read_slot(*slot, out);
  }
  // A cursor for reading many records in one operation (searches, lists).
  RecordCursor cursor() const { return RecordCursor(file_, kRecordSize); }
  ReadResult read_slot(RecordCursor& cursor, int64_t slot, Record& out) const { return cursor.read(slot, out.data()); }
  WriteResult write_slot(int64_t slot, const Record& r) const {
    if (pending_ && pending_->commits_directly()) {
      pending_->write(name_, static_cast<uint64_t>(slot) * kRecordSize, r.data(), kRecordSize);
      return pending_->commit_direct() ? WriteResult::Ok : WriteResult::Refused;
    }
    if (pending_ && pending_->open()) {
      pending_->write(name_, static_cast<uint64_t>(slot) * kRecordSize, r.data(), kRecordSize);
      return WriteResult::Ok;
    }
    return write_at(file_, static_cast<uint64_t>(slot) * kRecordSize, r.data(), kRecordSize);
  }
  void set_prefix(int64_t slot, text::u16view s) {
    if (static_cast<size_t>(slot) >= prefixes_.size()) prefixes_.resize(slot + 1, Prefix{0, 0});
    prefixes_[slot] = Prefix{s.size() > 0 ? s[0] : u'\0', s.size() > 1 ? s[1] : u'\0'};
  }

 private:
  std::filesystem::path file_;
  std::string name_;
  mutable int held_fd_ = -1;
  PendingWrites* pending_ = nullptr;
  NumberIndex index_;
  std::vector<Prefix> prefixes_;
  RecordCounts counts_;
};

}  // namespace kelvo::records
