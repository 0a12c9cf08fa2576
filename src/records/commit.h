#pragma once
// The one commit of every transaction that writes more than one record or file. While a Commit
// is open on the shop, record writes, log appends and saves of the configuration block are
// collected; finish() writes them all to the journal and syncs it, applies them, syncs the
// files and removes the journal. A crash at any moment leaves either the whole transaction
// (applied now or at the next start) or none of it. A Commit opened inside another joins it.
#include <memory>

#include "records/shop.h"

namespace kelvo::records {

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

 private:
  Journal collect();
  Shop& shop_;
  bool owner_;
  bool done_ = false;
  std::unique_ptr<ConfigBlock> config_before_;
};

}  // namespace kelvo::records
