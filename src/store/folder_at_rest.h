#pragma once
// A shop folder read or replaced from outside the counter: the counter's instance lock
// (kelvo.lock) is held shared for as long, so that no counter starts on the folder meanwhile.
// The lock file is never created here, so a folder without a counter gets nothing new.
#include <filesystem>

#include "store/pg.h"

namespace kelvo::store {

// kelvo is running on the folder: its files are the counter's for now.
class FolderInUse : public Refused {
 public:
  using Refused::Refused;
};

class FolderAtRest {
 public:
  // Throws FolderInUse when a counter holds the folder.
  explicit FolderAtRest(const std::filesystem::path& folder);
  ~FolderAtRest();
  FolderAtRest(const FolderAtRest&) = delete;
  FolderAtRest& operator=(const FolderAtRest&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace kelvo::store
