#pragma once
// The upload log: up to 99 lines of at most 199 characters, the oldest dropped when full. The
// window's thread and the transfer threads both add lines, so every access is locked, and the
// window learns of new lines through a callback it may forward to its own thread.
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "text/utf16.h"

namespace kelvo::uploader {

class UploadLog {
 public:
  static constexpr size_t kMaxLines = 99;
  static constexpr size_t kMaxLength = 199;

  // CR and LF become blanks; a line longer than 199 characters is not added.
  void add(text::u16view line);
  std::vector<text::u16> lines() const;
  // Called after every added line, on the thread that added it.
  void on_change(std::function<void()> callback);

 private:
  mutable std::mutex mutex_;
  std::deque<text::u16> lines_;
  std::function<void()> callback_;
};

}  // namespace kelvo::uploader
