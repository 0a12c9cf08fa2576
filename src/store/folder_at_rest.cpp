#include "store/folder_at_rest.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kelvo::store {

FolderAtRest::FolderAtRest(const std::filesystem::path& folder) {
  fd_ = ::open((folder / "kelvo.lock").c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd_ >= 0 && ::flock(fd_, LOCK_SH | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
    throw FolderInUse("kelvo is running on " + folder.string() + "; close it first");
  }
}

FolderAtRest::~FolderAtRest() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace kelvo::store
