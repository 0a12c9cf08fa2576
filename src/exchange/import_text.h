#pragma once
// Reading the comma-separated UTF-16 text files that films and members are imported from.
// Files are UTF-16LE with or without the FF FE header; a line ends at LF, and a CR before it
// ends the last field. There is no quoting: a field cannot hold a comma.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "text/utf16.h"

namespace kelvo::exchange {

// Characters of a line (without its CR LF) that are still processed; a longer line is not.
constexpr size_t kImportLineLimit = 1998;

// Reads a text file line by line, streaming, so a large file costs no more memory than a block.
class Utf16Lines {
 public:
  explicit Utf16Lines(const std::filesystem::path& file);
  ~Utf16Lines();
  Utf16Lines(const Utf16Lines&) = delete;
  Utf16Lines& operator=(const Utf16Lines&) = delete;

  bool opened() const { return fd_ >= 0; }
  uint64_t size() const { return size_; }
  // The next line without its LF (a CR before the LF stays); false at the end of the file.
  // `ended_by_lf` is false only for a last line that runs to the end of the file.
  bool next(text::u16& line, bool& ended_by_lf);
  // A line of more than kImportLineLimit characters: only its start is kept in `line`.
  bool too_long() const { return too_long_; }
  // Commas of the whole line, however long.
  int64_t commas() const { return commas_; }

 private:
  bool next_char(char16_t& c);
  int fd_ = -1;
  uint64_t size_ = 0;
  std::vector<uint8_t> block_;
  size_t at_ = 0, end_ = 0;
  bool first_block_ = true;
  bool too_long_ = false;
  int64_t commas_ = 0;
};

// What the counting pass of a file finds.
struct TextCounts {
  int64_t line_feeds = 0;    // LF characters in the file
  int64_t fields = 0;        // commas before the first LF, plus one
  bool ends_with_lf = false;
  bool any_character = false;
};
// nullopt when the file cannot be opened.
std::optional<TextCounts> count_text(const std::filesystem::path& file);

// Lines of an update file: every LF, plus a last line that runs to the end of the file.
int64_t update_line_count(const TextCounts& c);

// The text of a column (1 for the first): from after the (column - 1)-th comma to the next comma
// or CR, at most `keep` characters. nullopt when the line has fewer columns.
std::optional<text::u16view> column_text(text::u16view line, int column, size_t keep = text::u16::npos);

// A CR that ends the line, as a CR LF file has it, is not part of the line's text.
text::u16view without_cr(text::u16view line);

// "Replace leading alphabetic character in the number field".
struct LetterReplacement {
  bool on = false;
  char16_t letter = 0;  // A to Z
  int value = 0;        // 0 to 2000
};

// The number of a number column: with the replacement on, a leading letter stands for the
// value's digits ("D2" with D and 10 reads as 102).
int64_t import_number(text::u16view field, const LetterReplacement& r);

}  // namespace kelvo::exchange
