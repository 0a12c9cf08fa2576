#include "records/settings_rules.h"

#include "records/config_layout.h"
#include "text/format.h"

namespace kelvo::records {

namespace {

// The fields of the toggles: 8-byte flags except "Sound effects", which is a 4-byte int whose
// stored 2 means the sound is off.
struct ToggleField {
  size_t offset;
  bool wide;
  int64_t on;   // value stored when switched on
  int64_t off;  // value stored when switched off
};

ToggleField toggle_field(Toggle t) {
  switch (t) {
    case Toggle::NewSearches: return {cfg::kNewSearches, true, 1, 0};
    case Toggle::NotifyOnReturn: return {cfg::kNotifyOnReturn, true, 2, 0};
    case Toggle::HiResPicture: return {cfg::kHiResPicture, true, 2, 0};
    case Toggle::PinRental: return {cfg::kPinRental, true, 2, 0};
    case Toggle::OperatorPinRental: return {cfg::kOperatorPinRental, true, 2, 0};
    // "Default debt is paid" / "Default overdue is paid": 0 is the paid default.
    case Toggle::DefaultDebtPaid: return {cfg::kDefaultDebtAllocation, true, 0, 2};
    case Toggle::DefaultOverduePaid: return {cfg::kDefaultOverdueAllocation, true, 0, 2};
    case Toggle::InhibitFilmStart: return {cfg::kInhibitFilmStart, true, 2, 0};
    case Toggle::InhibitMemberStart: return {cfg::kInhibitMemberStart, true, 2, 0};
    case Toggle::SoundEffects: return {cfg::kSoundOff, false, 0, 2};
  }
  return {cfg::kNewSearches, true, 1, 0};
}

int64_t read_field(const ConfigBlock& config, const ToggleField& f) {
  return f.wide ? config.i64(f.offset) : config.i32(f.offset);
}

void write_field(ConfigBlock& config, const ToggleField& f, int64_t v) {
  if (f.wide) config.set_i64(f.offset, v);
  else config.set_i32(f.offset, static_cast<int32_t>(v));
}

const std::array<const char16_t*, kTipCount> kTips = {
    u"The F12 key will display an overview of films, members and rentals",
    u"To add a professional look to your stock print UPC or Code 39 barcodes from the richly featured item on the Utilities menu",
    u"To increase the quality of customer photos select Hi res image on the Options menu",
    u"To see an overview of the days takings and sales, use Print status on the File menu",
    u"To finish a rental by using the keyboard just press the Enter key twice",
    u"To cancel a rental at any time just press the ESC key at the top left",
    u"To find members with a list box, select the List on find item on the File menu",
    u"To find items that are late by more than a certain number of days, use the Overdue by days item on the Films menu",
    u"To amend the last member used just press F9",
    u"The cash tendered box displayed after each rental can be omitted by unchecking the cash tendered dialog item on the Utilities menu",
    u"The list overdues item on the toolbar shows more detail than the lists on the menus",
    u"The print size and indent can be set using the \u2018List font size\u2019 and \u2018Indent listing\u2019 items on the FILE menu",
    u"The Investigate item on the Member menu lists members with identical address, telephone and join date as the target",
    u"The reservation feature can be used for reminders",
    u"To return a film then rent to the same member, press F8",
    u"The log file contains detailed information on every rental, return and amendment",
    u"A preset standard overdue letter to a member can be printed using CTRL C",
    u"The rental routine can be set to ignore a specified day when calculating the return date, using the Closed day item on the Utilities menu ",
    u"The 'Special offer' button on the toolbar is used to specify the four configurable offers",
    u"The question mark can be used as a wild card in searching for actors or directors",
    u"The Print heading item on the Utilities menu is used to specify the letter head",
    u"To increase your revenue, offer a day return rental, press F7 to use this special offer",
};

}  // namespace

StartNumberText start_number_text(StartNumber which) {
  switch (which) {
    case StartNumber::Format1: return {u"Default film start number", u"Film start default"};
    case StartNumber::Format2: return {u"Default game start number", u"Game start default"};
    case StartNumber::Member: return {u"Default member start number", u"Member start default"};
  }
  return {u"", u""};
}

size_t start_number_offset(StartNumber which) {
  switch (which) {
    case StartNumber::Format1: return cfg::kFormat1Start;
    case StartNumber::Format2: return cfg::kFormat2Start;
    case StartNumber::Member: return cfg::kMemberStart;
  }
  return cfg::kFormat1Start;
}

text::u16 start_number_proposal(const ConfigBlock& config, StartNumber which) {
  return text::format("%I64d", {static_cast<long long>(config.i64(start_number_offset(which))) + 1});
}

std::optional<int64_t> parse_start_number(text::u16view answer) {
  long long v = text::parse_int64(answer);
  if (v < 1 || v > kHighestStartNumber) return std::nullopt;
  return v;
}

void store_start_number(ConfigBlock& config, StartNumber which, int64_t start) {
  config.set_i64(start_number_offset(which), start - 1);
}

std::optional<int64_t> parse_indent(text::u16view answer) {
  long long v = text::parse_int64(answer);
  if (v < 0 || v > kHighestIndent) return std::nullopt;
  return v;
}

int64_t list_font_value(int slider, bool printer_default) {
  if (printer_default) return 0;
  if (slider < kFewestListLines) return kFewestListLines;
  if (slider > kMostListLines) return kMostListLines;
  return slider;
}

int list_font_slider(int64_t stored) {
  if (stored < kFewestListLines) return kFewestListLines;
  if (stored > kMostListLines) return kMostListLines;
  return static_cast<int>(stored);
}

bool toggle_on(const ConfigBlock& config, Toggle t) {
  if (t == Toggle::SoundEffects) return config.sound_on();
  ToggleField f = toggle_field(t);
  int64_t v = read_field(config, f);
  // Readers test these fields against zero, so any other stored value counts the same.
  return f.on == 0 ? v == 0 : v != 0;
}

bool flip_toggle(ConfigBlock& config, Toggle t) {
  ToggleField f = toggle_field(t);
  bool now_on = !toggle_on(config, t);
  write_field(config, f, now_on ? f.on : f.off);
  return now_on;
}

Confirmation debt_allocation_confirmation(const ConfigBlock& config) {
  bool another_day = config.i64(cfg::kDefaultDebtAllocation) != 0;
  return {u"Default debt allocation now set to", another_day ? u"Pay another day" : u"Total paid"};
}

Confirmation overdue_allocation_confirmation(const ConfigBlock& config) {
  bool owe = config.i64(cfg::kDefaultOverdueAllocation) != 0;
  return {u"Default overdue allocation now set to", owe ? u"Owe total" : u"Paid"};
}

bool clock_shown(const ConfigBlock& config) { return config.i32(cfg::kClockDisplay) == 0; }
void set_clock_shown(ConfigBlock& config, bool shown) { config.set_i32(cfg::kClockDisplay, shown ? 0 : 2); }

int label_count(LabelTable table) {
  return table == LabelTable::Film ? cfg::kFilmLabelCount : cfg::kMemberLabelCount;
}

static size_t label_offset(LabelTable table, int i) {
  return table == LabelTable::Film ? cfg::film_label(i) : cfg::member_label(i);
}

text::u16 field_label(const ConfigBlock& config, LabelTable table, int i) {
  if (i < 0 || i >= label_count(table)) return {};
  return config.str(label_offset(table, i), cfg::kLabelWidth);
}

void set_field_label(ConfigBlock& config, LabelTable table, int i, text::u16view label) {
  if (i < 0 || i >= label_count(table)) return;
  config.set_str(label_offset(table, i), cfg::kLabelWidth, label);
}

const std::array<const char16_t*, kTipCount>& tips() { return kTips; }

bool tips_shown_at_start(const ConfigBlock& config) { return config.i32(cfg::kTipsOff) != 2; }
void set_tips_shown_at_start(ConfigBlock& config, bool shown) { config.set_i32(cfg::kTipsOff, shown ? 0 : 2); }

int next_tip(int index) { return index < 0 || index >= kTipCount - 1 ? 0 : index + 1; }

int take_tip(ConfigBlock& config) {
  int index = config.i32(cfg::kTipIndex);
  if (index < 0 || index >= kTipCount) index = 0;
  config.set_i32(cfg::kTipIndex, next_tip(index));
  return index;
}

}  // namespace kelvo::records
