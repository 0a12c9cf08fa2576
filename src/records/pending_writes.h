#pragma once
// The writes of the transaction in progress, held back until its commit. While a commit is
// open, record writes and log appends land here instead of in their files, and a record read
// back in the same transaction is served from here, so the flow sees what it wrote.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "records/journal.h"

namespace kelvo::records {

class PendingWrites {
 public:
  bool open() const { return depth_ > 0; }
  // A later write of the same record replaces the earlier one where it stands.
  void write(std::string_view file, uint64_t offset, const uint8_t* data, size_t len);
  // The log's position is taken when the commit is written, from the file's size then.
  void append(std::string_view file, const uint8_t* data, size_t len);
  // True, with the bytes, when this transaction wrote exactly that record.
  bool read(std::string_view file, uint64_t offset, uint8_t* out, size_t len) const;
  // A shop on a database server stores even a single write as a transaction: the write is
  // collected and committed at once. Empty for a shop in its folder.
  void set_direct_commit(std::function<bool()> commit) { direct_commit_ = std::move(commit); }
  bool commits_directly() const { return !open() && direct_commit_ != nullptr; }
  bool commit_direct() const { return direct_commit_(); }

 private:
  friend class Commit;
  struct Pending {
    JournalWrite write;
    bool append = false;
  };
  std::vector<Pending> writes_;
  int depth_ = 0;
  std::function<bool()> direct_commit_;
};

}  // namespace kelvo::records
