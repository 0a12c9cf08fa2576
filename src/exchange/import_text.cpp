#include "exchange/import_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "records/file_io.h"

namespace kelvo::exchange {

namespace {
constexpr size_t kBlock = 1 << 20;
}

Utf16Lines::Utf16Lines(const std::filesystem::path& file) : block_(kBlock) {
  fd_ = records::open_regular(file, O_RDONLY);
  if (fd_ >= 0) size_ = records::file_size(file).value_or(0);
}

Utf16Lines::~Utf16Lines() {
  if (fd_ >= 0) ::close(fd_);
}

bool Utf16Lines::next_char(char16_t& c) {
  if (end_ - at_ < 2) {
    // An odd byte left at the end of a block waits for its partner.
    const size_t left = end_ - at_;
    std::memmove(block_.data(), block_.data() + at_, left);
    at_ = 0;
    end_ = left;
    while (end_ < 2) {
      ssize_t n = ::read(fd_, block_.data() + end_, block_.size() - end_);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;  // the end, an odd last byte dropped
      end_ += static_cast<size_t>(n);
    }
    if (first_block_) {
      first_block_ = false;
      if (block_[0] == 0xFF && block_[1] == 0xFE) {
        at_ = 2;
        return next_char(c);
      }
    }
  }
  c = static_cast<char16_t>(block_[at_] | (block_[at_ + 1] << 8));
  at_ += 2;
  return true;
}

bool Utf16Lines::next(text::u16& line, bool& ended_by_lf) {
  line.clear();
  too_long_ = false;
  ended_by_lf = false;
  commas_ = 0;
  if (fd_ < 0) return false;
  bool any = false;
  char16_t c;
  while (next_char(c)) {
    any = true;
    commas_ += c == u',';
    if (c == u'\n') {
      ended_by_lf = true;
      break;
    }
    // Enough is kept to tell an over-long line (its CR aside) from one at the limit.
    if (line.size() <= kImportLineLimit + 1) line.push_back(c);
  }
  too_long_ = without_cr(line).size() > kImportLineLimit;
  return any;
}

std::optional<TextCounts> count_text(const std::filesystem::path& file) {
  Utf16Lines lines(file);
  if (!lines.opened()) return std::nullopt;
  TextCounts c;
  text::u16 line;
  bool lf = false;
  bool first = true;
  while (lines.next(line, lf)) {
    c.any_character = true;
    c.ends_with_lf = lf;
    if (lf) ++c.line_feeds;
    if (first) c.fields = lines.commas() + 1;
    first = false;
  }
  return c;
}

int64_t update_line_count(const TextCounts& c) {
  return c.line_feeds + (c.any_character && !c.ends_with_lf ? 1 : 0);
}

std::optional<text::u16view> column_text(text::u16view line, int column, size_t keep) {
  if (column < 1) return std::nullopt;
  size_t from = 0;
  for (int comma = 1; comma < column; ++comma) {
    const size_t at = line.find(u',', from);
    if (at == text::u16view::npos) return std::nullopt;
    from = at + 1;
  }
  size_t to = line.find_first_of(u",\r", from);
  if (to == text::u16view::npos) to = line.size();
  return line.substr(from, std::min(to - from, keep));
}

text::u16view without_cr(text::u16view line) {
  if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
  return line;
}

int64_t import_number(text::u16view field, const LetterReplacement& r) {
  if (r.on && !field.empty() && field.front() == r.letter) {
    text::u16 digits = text::from_utf8(std::to_string(r.value));
    digits.append(field.substr(1));
    return text::parse_int64(digits);
  }
  return text::parse_int64(field);
}

}  // namespace kelvo::exchange
