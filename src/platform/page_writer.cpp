#include "platform/page_writer.h"

namespace kelvo::platform {

PageWriter::PageWriter(Printer& printer, Options options)
    : printer_(printer), options_(std::move(options)) {
  start_page();
}

bool PageWriter::fits(int line) const {
  return static_cast<long long>(printer_.char_height() + options_.line_gap) * (line + 1) <= printer_.page_height();
}

void PageWriter::start_page() {
  ++page_;
  if (options_.heading)
    printer_.text(options_.indent * printer_.char_width(), 0, options_.heading(page_));
  line_ = first_body_line();
}

void PageWriter::page_break() {
  printer_.new_page();
  start_page();
}

void PageWriter::make_room() {
  if (!fits(line_) && line_ > first_body_line()) page_break();
}

void PageWriter::line(text::u16view s) { line_at(options_.indent * printer_.char_width(), s); }

void PageWriter::line_at(int x, text::u16view s) {
  make_room();
  put(x, s);
  ++line_;
}

void PageWriter::centred(text::u16view s) {
  make_room();
  put_centred(s);
  ++line_;
}

void PageWriter::put(int x, text::u16view s, Align align) { printer_.text(x, line_y(printer_, line_), s, align); }

void PageWriter::put_centred(text::u16view s) { printer_.text_centred(line_y(printer_, line_), s); }

// Blank lines past the bottom simply vanish: the next printed line starts the new page.
void PageWriter::skip(int lines) {
  if (lines > 0) line_ += lines;
}

void PageWriter::keep_together(int lines) {
  if (lines > 0 && line_ > first_body_line() && !fits(line_ + lines - 1)) page_break();
}

void PageWriter::finish() {
  skip();
  line(u"End output.");
}

}  // namespace kelvo::platform
