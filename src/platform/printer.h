#pragma once
// Pages laid out by the core in device units: text at a point, bitmaps stretched into a box,
// filled rectangles (barcodes). The Qt side draws them on a real printer or a PDF file; the
// recording printer keeps them for tests.
//
// Coordinates start at the top left of the printable area. A text's y is the top of its
// character cell, so line n of a page is at y = n * char_height().
#include <optional>
#include <string>
#include <vector>

#include "text/utf16.h"

namespace kelvo::platform {

// Where a document goes.
struct PrintDestination {
  // A printer by its system name; empty: the system print dialog, or the default printer.
  text::u16 printer_name;
  // Without a named printer: show the print dialog (true) or use the default printer at once.
  bool confirm = true;
};

enum class PrintStart {
  Started,    // pages may be drawn
  Cancelled,  // the operator closed the print dialog: print nothing, say nothing
  Failed,     // the printer could not be opened
};

// Where x names the reference point of a text.
enum class Align { Left, Centre, Right };

// The character size of the printer font: N lines (columns) to the printable height (width).
// 0 lines means the printer's own default size; 0 columns keeps the font's natural width.
struct FontSize {
  int lines_per_page = 0;
  int columns_per_page = 0;
  bool operator==(const FontSize&) const = default;
};

struct ImageSize {
  int width = 0;
  int height = 0;
};

class Printer {
 public:
  virtual ~Printer() = default;

  // The printers the system knows, by name (for the receipt printer setting).
  virtual std::vector<text::u16> installed_printers() = 0;

  // Opens a document under the given name. Drawing is allowed only after Started.
  virtual PrintStart begin(text::u16view doc_name, const PrintDestination& where) = 0;
  // Closes the document and hands it to the spooler (or the file); false when that failed.
  virtual bool end() = 0;
  // Abandons the document (the operator cancelled part-way): nothing of it is printed.
  virtual void abort() { end(); }
  virtual void new_page() = 0;

  // The printable area and the current font's cell, in device units.
  virtual int page_width() const = 0;
  virtual int page_height() const = 0;
  virtual int char_height() const = 0;
  virtual int char_width() const = 0;  // average character width
  virtual int text_width(text::u16view s) const = 0;
  // Device units to the inch: barcodes are laid out in hundredths of a millimetre and photo
  // cards in inches, whatever the printer's resolution.
  virtual int dots_per_inch() const = 0;

  // Changes the font for what follows, on this page and the next ones.
  virtual void set_font(FontSize size) = 0;

  virtual void text(int x, int y, text::u16view s, Align align = Align::Left) = 0;
  // Draws the bitmap file stretched into the box; false (nothing drawn) when it does not load.
  virtual bool image(int x, int y, int w, int h, const std::string& path) = 0;
  virtual void fill_rect(int x, int y, int w, int h) = 0;

  // The pixel size of a bitmap file, or nullopt when it does not load or is empty.
  virtual std::optional<ImageSize> image_size(const std::string& path) const = 0;

  // Centred on the middle of the printable width.
  void text_centred(int y, text::u16view s) { text(page_width() / 2, y, s, Align::Centre); }
};

}  // namespace kelvo::platform
