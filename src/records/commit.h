#pragma once
// The one commit of every transaction that writes more than one record or file. While a Commit
// is open on the shop, record writes, log appends and saves of the configuration block are
// collected; finish() adds them to the journal and syncs it, then applies them (the files are
// synced at the journal's next checkpoint). A crash or a power cut at any moment leaves either
// the whole transaction (applied now or at the next start) or none of it. A Commit opened inside another joins it.
#include <memory>
#include <string_view>

#include "records/shop.h"

namespace kelvo::records {

// The words of a command that reports its own data file when a transaction is refused: the file
// missing ("Fatal error") or not written ("Problem").
struct RefusalWords {
  std::string_view file;
  const char16_t* not_present;
  const char16_t* not_written;
};

class Commit {
 public:
  explicit Commit(Shop& shop);
  // A commit left open is finished: what was collected has been announced to the operator.
  ~Commit();
  Commit(const Commit&) = delete;
  Commit& operator=(const Commit&) = delete;

  // False when a file the transaction writes is not there to be written, or the journal could
  // not be written: the transaction is refused with that file's message, no file changes and
  // the configuration block in memory is as it was when the commit opened.
  bool finish();
  // The same, a refusal over `words.file` reported in the command's own words.
  bool finish(const RefusalWords& words);

 private:
  Journal collect();
  Shop& shop_;
  bool owner_;
  bool done_ = false;
  std::unique_ptr<ConfigBlock> config_before_;
  const RefusalWords* words_ = nullptr;
};

}  // namespace kelvo::records
