#include "reports/barcode_labels.h"

#include <algorithm>
#include <functional>
#include <string>

#include "records/config_layout.h"
#include "reports/barcode.h"
#include "text/format.h"

namespace kelvo::reports {

namespace cfg = records::cfg;

namespace {

struct Preset {
  int label_height;
  int labels_per_sheet;
};
constexpr Preset kPresets[] = {{1690, 16}, {3380, 16}, {1690, 48}};

constexpr int kHighestPosition = 20000;
constexpr int kHighestCount = 200;
constexpr int kEanWidth = 110;        // modules taken for the symbol when placing text beside it
constexpr int kEanWidthUnder = 100;   // modules taken when centring it in a column
constexpr int kCode39Character = 13;  // modules of a character with its gap
constexpr int kTextBeside = 400;      // below the label top
constexpr int kCode39TextUnder = 1080;
constexpr int kEanTextUnder = 1200;

int bounded(int v, int low, int high, int fallback) { return v >= low && v <= high ? v : fallback; }

// A label's value and the words printed beside the number.
struct LabelValue {
  int64_t number = 0;
  text::u16 words;  // film title or member name; empty for plain values
};
using Visit = std::function<bool(const LabelValue&)>;  // false: stop

// The live numbers of one file from start to finish, in number order, each record read for its
// words. False when the file could not be read (already reported).
template <class Record>
bool visit_records(records::Shop& shop, const records::RecordStore<Record>& store, const char16_t* missing,
                   const LabelSettings& s, text::u16 (*words)(const Record&), const Visit& visit) {
  Record r;
  auto cursor = store.cursor();
  for (const records::IndexEntry& e : store.index().between(s.start, s.finish)) {
    if (store.read_slot(cursor, e.slot, r) != records::ReadResult::Ok) {
      shop.op().message(u"Fatal error", missing);
      return false;
    }
    if (!visit({e.number, words(r)})) return true;
  }
  return true;
}

text::u16 film_words(const records::FilmRecord& f) { return f.title(); }
text::u16 member_words(const records::MemberRecord& m) { return m.name(); }

bool visit_values(records::Shop& shop, const LabelSettings& s, const Visit& visit) {
  switch (s.source) {
    case LabelSource::Films:
      return visit_records(shop, shop.films, u"Data file: film.dat, not present.", s, film_words, visit);
    case LabelSource::Members:
      return visit_records(shop, shop.members, u"Data file: member.dat, not present.", s, member_words, visit);
    case LabelSource::AllValues:
      for (int64_t n = s.start; n <= s.finish; ++n)
        if (!visit({n, {}})) break;
      return true;
  }
  return true;
}

text::u16 label_text(const LabelSettings& s, const LabelValue& v) {
  if (s.source == LabelSource::AllValues)
    return s.type == BarcodeType::Ean ? text::from_utf8(ean13_code(v.number)) : text::format("%I64d", {v.number});
  return text::format("%I64d  %s", {v.number, v.words});
}

// Width of a symbol as the layout counts it when centring it in a column.
long long column_width(const LabelSettings& s, int digits) {
  return s.type == BarcodeType::Ean ? static_cast<long long>(kEanWidthUnder) * s.element_width
                                    : static_cast<long long>(digits + 2) * kCode39Character * s.element_width;
}

void under_the_bars(const LabelSettings& s, long long centre, int digits, LabelPlace& at) {
  const long long width = column_width(s, digits);
  at.symbol_x = centre - width / 2;
  if (s.type == BarcodeType::Ean) {
    at.text_x = at.symbol_x;
    at.text_top = at.top + kEanTextUnder;
  } else {
    at.text_x = at.symbol_x + width / 2;
    at.text_top = at.top + kCode39TextUnder;
  }
}

}  // namespace

void choose_format(LabelSettings& s, LabelFormat f) {
  s.format = f;
  s.label_height = kPresets[static_cast<int>(f)].label_height;
  s.labels_per_sheet = kPresets[static_cast<int>(f)].labels_per_sheet;
}

void choose_type(LabelSettings& s, BarcodeType t) {
  s.type = t;
  s.element_width = t == BarcodeType::Ean ? 50 : 40;
}

LabelSettings opening_settings(const records::ConfigBlock& c) {
  LabelSettings s;
  s.font_lines = c.i64(cfg::kListFontSize);
  if (c.i32(cfg::kBarcodeRetain) != 2) return s;
  s.retain = true;
  s.origin_x = c.i32(cfg::kBarcodeSettings);
  s.origin_y = c.i32(cfg::kBarcodeSettings + 4);
  s.label_height = c.i32(cfg::kBarcodeSettings + 8);
  s.labels_per_sheet = c.i32(cfg::kBarcodeSettings + 12);
  s.from_centre = c.i32(cfg::kBarcodeSettings + 16);
  s.format = static_cast<LabelFormat>(std::clamp(c.i32(cfg::kBarcodeFormat), 0, 2));
  s.source = static_cast<LabelSource>(std::clamp(c.i32(cfg::kBarcodeSource), 0, 2));
  choose_type(s, c.i32(cfg::kBarcodeType) == 1 ? BarcodeType::Ean : BarcodeType::Code39);
  return s;
}

void apply_bounds(LabelSettings& s) {
  s.label_height = bounded(s.label_height, 1, kHighestPosition, 1690);
  s.origin_x = bounded(s.origin_x, 1, kHighestPosition, 3600);
  s.origin_y = bounded(s.origin_y, 1, kHighestPosition, 400);
  s.from_centre = bounded(s.from_centre, 1, kHighestPosition, 4800);
  s.labels_per_sheet = bounded(s.labels_per_sheet, 1, kHighestCount, 16);
  s.element_width = bounded(s.element_width, 1, kHighestCount, 200);
}

void store_settings(records::ConfigBlock& c, const LabelSettings& s) {
  c.set_i32(cfg::kBarcodeRetain, s.retain ? 2 : 0);
  c.set_i32(cfg::kBarcodeSettings, s.origin_x);
  c.set_i32(cfg::kBarcodeSettings + 4, s.origin_y);
  c.set_i32(cfg::kBarcodeSettings + 8, s.label_height);
  c.set_i32(cfg::kBarcodeSettings + 12, s.labels_per_sheet);
  c.set_i32(cfg::kBarcodeSettings + 16, s.from_centre);
  c.set_i32(cfg::kBarcodeFormat, static_cast<int>(s.format));
  c.set_i32(cfg::kBarcodeSource, static_cast<int>(s.source));
  c.set_i32(cfg::kBarcodeType, s.type == BarcodeType::Ean ? 1 : 0);
  c.set_i64(cfg::kListFontSize, s.font_lines);
}

bool take_label_fields(const LabelFields& f, LabelSettings& s, platform::Operator& op) {
  const struct {
    const text::u16& typed;
    const char16_t* label;
  } fields[] = {{f.start, u"Start"},           {f.finish, u"Finish"},
                {f.origin_x, u"Origin X"},     {f.origin_y, u"Origin Y"},
                {f.label_height, u"Label height"}, {f.labels_per_sheet, u"Labels per sheet"},
                {f.from_centre, u"From centre (three column)"}, {f.element_width, u"Element width"}};
  long long v[8];
  for (int i = 0; i < 8; ++i) {
    const auto n = text::parse_whole_number(fields[i].typed);
    if (!n) {
      op.message(u"Problem", text::u16(u"Not a number: ") + fields[i].label);
      return false;
    }
    v[i] = *n;
  }
  if (v[0] > kHighestLabelValue || v[1] > kHighestLabelValue) {
    op.message(u"Problem", u"Range limit 100000000000000000");
    return false;
  }
  // Beyond an int the bounds below refuse the value anyway; keep it out of range, not wrapped.
  auto small = [](long long x) { return static_cast<int>(std::clamp<long long>(x, -1, 1000000)); };
  s.start = v[0];
  s.finish = v[1];
  s.origin_x = small(v[2]);
  s.origin_y = small(v[3]);
  s.label_height = small(v[4]);
  s.labels_per_sheet = small(v[5]);
  s.from_centre = small(v[6]);
  s.element_width = small(v[7]);
  apply_bounds(s);
  return true;
}

bool valid_range(const LabelSettings& s) { return s.start > 0 && s.finish >= s.start; }

LabelPlace place_label(const LabelSettings& s, long long n, int digits, long long page_width) {
  LabelPlace at;
  at.page = static_cast<int>(n / s.labels_per_sheet) + 1;
  const long long k = n % s.labels_per_sheet;  // on this page
  switch (s.format) {
    case LabelFormat::VideoSpine: {
      at.top = s.origin_y + k * s.label_height;
      at.symbol_x = s.origin_x;
      const long long width = s.type == BarcodeType::Ean
                                  ? static_cast<long long>(kEanWidth) * s.element_width
                                  : static_cast<long long>(digits + 3) * kCode39Character * s.element_width;
      at.text_x = s.origin_x + width;
      at.text_top = at.top + kTextBeside;
      break;
    }
    case LabelFormat::TwoColumn:
      at.top = s.origin_y + (k / 2) * s.label_height;
      under_the_bars(s, (k % 2 == 0 ? 1 : 3) * page_width / 4, digits, at);
      break;
    case LabelFormat::ThreeColumn:
      at.top = s.origin_y + (k / 3) * s.label_height;
      under_the_bars(s, page_width / 2 + (k % 3 - 1) * static_cast<long long>(s.from_centre), digits, at);
      break;
  }
  return at;
}

LabelRun print_labels(platform::Printer& p, records::Shop& shop, const LabelSettings& s,
                      platform::Progress& progress) {
  LabelRun run;
  const Metric metric(p);
  if (s.font_lines > 0) p.set_font({static_cast<int>(s.font_lines), static_cast<int>(s.font_lines)});
  const long long page_width = metric.hmm(p.page_width());
  const long long total = s.source == LabelSource::Films     ? shop.films.index().between(s.start, s.finish).size()
                          : s.source == LabelSource::Members ? shop.members.index().between(s.start, s.finish).size()
                                                             : s.finish - s.start + 1;
  const bool read = visit_values(shop, s, [&](const LabelValue& v) {
    if (!progress.step(u"Printing labels", run.labels, total)) {
      run.cancelled = true;
      return false;
    }
    const std::string digits = std::to_string(v.number);
    const LabelPlace at = place_label(s, run.labels, static_cast<int>(digits.size()), page_width);
    if (at.page > run.pages) {
      if (run.pages > 0) p.new_page();
      run.pages = at.page;
    }
    const Symbol symbol = s.type == BarcodeType::Ean ? ean13_symbol(ean13_code(v.number)) : code39_symbol(digits);
    draw_symbol(p, symbol, at.symbol_x, at.top, s.element_width);
    p.text(metric.dev(at.text_x), metric.dev(at.text_top), label_text(s, v));
    ++run.labels;
    return true;
  });
  run.failed = !read;
  return run;
}

}  // namespace kelvo::reports
