#include "uploader/upload_log.h"

namespace kelvo::uploader {

void UploadLog::add(text::u16view line) {
  if (line.size() > kMaxLength) return;
  text::u16 clean(line);
  for (auto& c : clean)
    if (c == u'\r' || c == u'\n') c = u' ';
  std::function<void()> callback;
  {
    std::lock_guard lock(mutex_);
    if (lines_.size() == kMaxLines) lines_.pop_front();
    lines_.push_back(std::move(clean));
    callback = callback_;
  }
  if (callback) callback();
}

std::vector<text::u16> UploadLog::lines() const {
  std::lock_guard lock(mutex_);
  return {lines_.begin(), lines_.end()};
}

void UploadLog::on_change(std::function<void()> callback) {
  std::lock_guard lock(mutex_);
  callback_ = std::move(callback);
}

}  // namespace kelvo::uploader
