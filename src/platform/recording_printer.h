#pragma once
// A printer that keeps every call, for tests: what was drawn where, on which page, in which
// order. Its page and font metrics are plain numbers the test may change.
#include <optional>
#include <string>
#include <vector>

#include "platform/printer.h"

namespace kelvo::platform {

class RecordingPrinter : public Printer {
 public:
  enum class Kind { Begin, End, NewPage, Font, Text, Image, Rect };

  struct Op {
    Kind kind = Kind::Text;
    int page = 0;  // 1 for the first page
    int x = 0, y = 0, w = 0, h = 0;
    Align align = Align::Left;
    text::u16 text;    // Text: the text; Begin: the document name
    std::string path;  // Image
    FontSize font;     // Font
    PrintDestination where;  // Begin
  };

  // A page of 2400 x 3300 units (A4 at about 300 dpi) with a 25 x 50 default character cell.
  RecordingPrinter();

  // What the next begin() and end() answer.
  void set_start(PrintStart s) { start_ = s; }
  void set_end_result(bool ok) { end_ok_ = ok; }
  void set_page(int width, int height) { page_w_ = width; page_h_ = height; }
  void set_default_char(int width, int height) { default_cw_ = width; default_ch_ = height; set_font(font_); }
  void set_installed(std::vector<text::u16> names) { installed_ = std::move(names); }

  const std::vector<Op>& ops() const { return ops_; }
  // The texts in the order they were drawn, optionally of one page only (0: every page).
  std::vector<text::u16> texts(int page = 0) const;
  const Op* find_text(text::u16view s) const;  // the first text equal to s, or nullptr
  int pages() const { return page_; }
  bool open() const { return open_; }
  int documents() const { return documents_; }
  int aborted() const { return aborted_; }

  std::vector<text::u16> installed_printers() override { return installed_; }
  PrintStart begin(text::u16view doc_name, const PrintDestination& where) override;
  bool end() override;
  void abort() override {
    open_ = false;
    ++aborted_;
  }
  void new_page() override;
  int page_width() const override { return page_w_; }
  int page_height() const override { return page_h_; }
  int char_height() const override { return ch_; }
  int char_width() const override { return cw_; }
  // Every character is one average width wide, as on a fixed-pitch printer.
  int text_width(text::u16view s) const override { return static_cast<int>(s.size()) * cw_; }
  int dots_per_inch() const override { return 300; }
  void set_font(FontSize size) override;
  void text(int x, int y, text::u16view s, Align align = Align::Left) override;
  bool image(int x, int y, int w, int h, const std::string& path) override;
  void fill_rect(int x, int y, int w, int h) override;
  std::optional<ImageSize> image_size(const std::string& path) const override;

 private:
  void record(Op op);

  std::vector<Op> ops_;
  std::vector<text::u16> installed_;
  PrintStart start_ = PrintStart::Started;
  bool end_ok_ = true;
  bool open_ = false;
  int documents_ = 0;
  int aborted_ = 0;
  int page_ = 0;
  int page_w_ = 2400, page_h_ = 3300;
  int default_cw_ = 25, default_ch_ = 50;
  int cw_ = 25, ch_ = 50;
  FontSize font_;
};

// Width and height from a BMP file's header (Windows and OS/2 headers), or nullopt.
std::optional<ImageSize> read_bmp_size(const std::string& path);

}  // namespace kelvo::platform
