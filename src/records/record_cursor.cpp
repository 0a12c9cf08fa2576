#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "records/record_store.h"

namespace kelvo::records {

namespace {
constexpr size_t kWindowBytes = 256 * 1024;
}

RecordCursor::RecordCursor(const std::filesystem::path& file, size_t record_size)
    : fd_(open_regular(file, O_RDONLY)),
      record_size_(record_size),
      window_(std::max<size_t>(1, kWindowBytes / record_size) * record_size) {}

RecordCursor::~RecordCursor() {
  if (fd_ >= 0) ::close(fd_);
}

ReadResult RecordCursor::read(int64_t slot, uint8_t* out) {
  if (fd_ < 0) return ReadResult::NotOpened;
  if (slot < first_ || slot >= first_ + count_) {
    // A walk in slot order reads ahead a window; a jump reads just the record.
    const bool in_order = slot == last_ + 1;
    const size_t want = in_order ? window_.size() : record_size_;
    size_t got = 0;
    const auto pos = static_cast<off_t>(slot * static_cast<int64_t>(record_size_));
    while (got < want) {
      ssize_t n = ::pread(fd_, window_.data() + got, want - got, pos + static_cast<off_t>(got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    first_ = slot;
    count_ = static_cast<int64_t>(got / record_size_);
    if (count_ == 0) return ReadResult::ShortRead;
  }
  last_ = slot;
  std::memcpy(out, window_.data() + static_cast<size_t>(slot - first_) * record_size_, record_size_);
  return ReadResult::Ok;
}

}  // namespace kelvo::records
