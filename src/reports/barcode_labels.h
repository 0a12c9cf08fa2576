#pragma once
// "Print barcodes": labels of film numbers, member numbers or every number of a range, in the
// three label formats, drawn in hundredths of a millimetre from the top left of the page.
#include <cstdint>
#include <optional>

#include "platform/printer.h"
#include "platform/progress.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::reports {

enum class LabelFormat { VideoSpine = 0, TwoColumn = 1, ThreeColumn = 2 };
enum class LabelSource { Films = 0, Members = 1, AllValues = 2 };
enum class BarcodeType { Code39 = 0, Ean = 1 };

constexpr int64_t kHighestLabelValue = 100000000000000000;

struct LabelSettings {
  int64_t start = 1;
  int64_t finish = 2;
  LabelSource source = LabelSource::Films;
  LabelFormat format = LabelFormat::VideoSpine;
  BarcodeType type = BarcodeType::Code39;
  int origin_x = 3600;
  int origin_y = 400;
  int label_height = 1690;
  int labels_per_sheet = 16;
  int from_centre = 5600;
  int element_width = 40;
  // Lines to the page of the label font (10 to 200), 0 for the printer's own font; the same
  // setting as the list font of printed lists.
  int64_t font_lines = 0;
  bool retain = false;
};

// Choosing a format fills label height and labels per sheet; choosing a type the element width.
void choose_format(LabelSettings& s, LabelFormat f);
void choose_type(LabelSettings& s, BarcodeType t);

// What the window opens with: the defaults, or the stored values when "Retain settings" is on.
LabelSettings opening_settings(const records::ConfigBlock& config);
// On OK: values outside their bounds fall back to the defaults of the bounds.
void apply_bounds(LabelSettings& s);
// On OK, every time: the position values, format, source, type, the retain box and the font.
void store_settings(records::ConfigBlock& config, const LabelSettings& s);
// After the window: "Invalid range" unless 1 <= start <= finish.
bool valid_range(const LabelSettings& s);

// The numbers of the window as typed. OK takes them only when each is a whole number ("Not a
// number: <field>" otherwise) and Start and Finish stay within the highest value ("Range limit
// 100000000000000000"), both with caption "Problem"; then the bounds apply.
struct LabelFields {
  text::u16 start, finish, origin_x, origin_y, label_height, labels_per_sheet, from_centre, element_width;
};
bool take_label_fields(const LabelFields& f, LabelSettings& s, platform::Operator& op);

// Where the labels go, in hundredths of a millimetre; `top` grows downward.
struct LabelPlace {
  int page = 1;
  long long symbol_x = 0;
  long long top = 0;
  long long text_x = 0;
  long long text_top = 0;
};
// The place of the label with running number `n` (0 for the first) whose value has `digits`
// decimal digits, on a page `page_width` wide.
LabelPlace place_label(const LabelSettings& s, long long n, int digits, long long page_width);

struct LabelRun {
  long long labels = 0;
  int pages = 0;
  bool cancelled = false;
  bool failed = false;  // a data file was missing: reported, printing stopped
};
// Draws every label of the range on the begun printer, a page after each "Labels per sheet".
LabelRun print_labels(platform::Printer& p, records::Shop& shop, const LabelSettings& s,
                      platform::Progress& progress);

}  // namespace kelvo::reports
