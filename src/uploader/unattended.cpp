#include "uploader/unattended.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>

namespace kelvo::uploader {

namespace {

// Held for the length of the upload, so that a timer firing again while a slow transfer is
// still running skips instead of sending a second copy over the first.
class UploadLock {
 public:
  explicit UploadLock(const std::filesystem::path& folder)
      : fd_(::open((folder / ".kelvoweb.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {}
  ~UploadLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool taken() const { return fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0; }

 private:
  int fd_;
};

bool transfer_succeeded(const std::vector<text::u16>& lines) {
  return std::find(lines.begin(), lines.end(), u"Transfer complete.") != lines.end();
}

}  // namespace

int upload_now(UploadSession& session, std::ostream& out) {
  UploadLock lock(session.folder());
  if (!lock.taken()) {
    out << "Another upload is running in this folder: skipped.\n";
    return kAlreadyRunning;
  }
  session.start();
  UploadSession::Outcome outcome = session.upload();
  session.wait_for_transfers();
  const auto lines = session.log().lines();
  for (const auto& line : lines) out << text::to_utf8(line) << '\n';
  switch (outcome) {
    case UploadSession::Outcome::LocalFile: return kPublished;
    case UploadSession::Outcome::Transferring: return transfer_succeeded(lines) ? kPublished : kUploadFailed;
    case UploadSession::Outcome::Failed:
    case UploadSession::Outcome::Skipped: return kUploadFailed;
  }
  return kUploadFailed;
}

}  // namespace kelvo::uploader
