#include "platform/recording_printer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "platform/file_io.h"

namespace kelvo::platform {

namespace {
RecordingPrinter::Op op_of(RecordingPrinter::Kind kind) {
  RecordingPrinter::Op op;
  op.kind = kind;
  return op;
}
}  // namespace

RecordingPrinter::RecordingPrinter() = default;

std::vector<text::u16> RecordingPrinter::texts(int page) const {
  std::vector<text::u16> out;
  for (const Op& op : ops_)
    if (op.kind == Kind::Text && (page == 0 || op.page == page)) out.push_back(op.text);
  return out;
}

const RecordingPrinter::Op* RecordingPrinter::find_text(text::u16view s) const {
  for (const Op& op : ops_)
    if (op.kind == Kind::Text && op.text == s) return &op;
  return nullptr;
}

// Drawing outside an open document is a fault of the caller that a real printer would hide
// (the drawing would simply be lost), so the tests hear about it loudly.
void RecordingPrinter::record(Op op) {
  const bool drawing = op.kind == Kind::Text || op.kind == Kind::Image || op.kind == Kind::Rect ||
                       op.kind == Kind::NewPage || op.kind == Kind::End;
  if (drawing && !open_) throw std::logic_error("printer used outside an open document");
  op.page = page_;
  ops_.push_back(std::move(op));
}

PrintStart RecordingPrinter::begin(text::u16view doc_name, const PrintDestination& where) {
  if (open_) throw std::logic_error("document begun twice");
  Op op = op_of(Kind::Begin);
  op.text = text::u16(doc_name);
  op.where = where;
  ops_.push_back(op);
  if (start_ != PrintStart::Started) return start_;
  open_ = true;
  ++documents_;
  page_ = 1;
  return start_;
}

bool RecordingPrinter::end() {
  record(op_of(Kind::End));
  open_ = false;
  return end_ok_;
}

void RecordingPrinter::new_page() {
  record(op_of(Kind::NewPage));
  ++page_;
}

void RecordingPrinter::set_font(FontSize size) {
  font_ = size;
  if (size.lines_per_page > 0) {
    ch_ = std::max(1, page_h_ / size.lines_per_page);
    cw_ = size.columns_per_page > 0 ? std::max(1, page_w_ / size.columns_per_page) : std::max(1, ch_ / 2);
  } else {
    ch_ = default_ch_;
    cw_ = size.columns_per_page > 0 ? std::max(1, page_w_ / size.columns_per_page) : default_cw_;
  }
  Op op = op_of(Kind::Font);
  op.font = size;
  op.page = page_;
  ops_.push_back(op);
}

void RecordingPrinter::text(int x, int y, text::u16view s, Align align) {
  Op op = op_of(Kind::Text);
  op.x = x;
  op.y = y;
  op.text = text::u16(s);
  op.align = align;
  record(std::move(op));
}

bool RecordingPrinter::image(int x, int y, int w, int h, const std::string& path) {
  if (!image_size(path)) return false;
  Op op = op_of(Kind::Image);
  op.x = x;
  op.y = y;
  op.w = w;
  op.h = h;
  op.path = path;
  record(std::move(op));
  return true;
}

void RecordingPrinter::fill_rect(int x, int y, int w, int h) {
  Op op = op_of(Kind::Rect);
  op.x = x;
  op.y = y;
  op.w = w;
  op.h = h;
  record(std::move(op));
}

std::optional<ImageSize> RecordingPrinter::image_size(const std::string& path) const {
  return read_bmp_size(path);
}

namespace {
uint32_t le(const unsigned char* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
}  // namespace

std::optional<ImageSize> read_bmp_size(const std::string& path) {
  unsigned char h[26] = {};
  // Read only from a regular file: a FIFO named receipt.bmp must not stop the print.
  const long long got = read_at(path, 0, h, sizeof h);
  if (got < 22 || h[0] != 'B' || h[1] != 'M') return std::nullopt;
  const uint32_t header = le(h + 14, 4);
  long w = 0, ht = 0;
  if (header == 12) {  // OS/2 core header: 16-bit sizes
    w = le(h + 18, 2);
    ht = le(h + 20, 2);
  } else if (header >= 40 && got >= 26) {
    w = static_cast<int32_t>(le(h + 18, 4));
    ht = std::labs(static_cast<int32_t>(le(h + 22, 4)));  // negative: rows stored top-down
  } else {
    return std::nullopt;
  }
  if (w <= 0 || ht <= 0) return std::nullopt;
  return ImageSize{static_cast<int>(w), static_cast<int>(ht)};
}

}  // namespace kelvo::platform
