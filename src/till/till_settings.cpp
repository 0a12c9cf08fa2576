#include "till/till_settings.h"

#include <algorithm>

#include "till/device_port.h"

namespace kelvo::till {

namespace cfg = records::cfg;

namespace {

text::u16 number_text(int64_t v) { return text::from_utf8(std::to_string(v)); }

constexpr size_t kSequenceWidth = 64;
size_t pole_text_offset(int i) { return cfg::kPoleTexts + cfg::kPoleTextWidth * static_cast<size_t>(i); }
text::u16 pole_text(const records::ConfigBlock& c, PoleText t) {
  return c.str(pole_text_offset(static_cast<int>(t)), cfg::kPoleTextWidth);
}
Bytes pole_sequence(const records::ConfigBlock& c, PoleText t) { return read_control_sequence(pole_text(c, t)); }
int stored_columns(const records::ConfigBlock& c, size_t off) {
  return std::clamp<int>(c.i32(off), 0, static_cast<int>(PoleSettings::kMaxColumns));
}

}  // namespace

DrawerSettings DrawerSettings::load(const records::ConfigBlock& c) {
  DrawerSettings s;
  s.use = c.i64(cfg::kDrawerInUse) != 0;
  s.through_printer = c.i32(cfg::kDrawerConnection) == 2;
  const int64_t port = c.i64(cfg::kDrawerPort);
  s.port = port >= 0 && port < kDrawerPortCount ? static_cast<int>(port) : 0;
  s.open_character = number_text(c.i64(cfg::kDrawerOpenCharacter));
  s.repeat = number_text(c.i64(cfg::kDrawerRepeat));
  s.control_sequence = c.str(cfg::kDrawerControlSequence, kSequenceWidth);
  return s;
}

void DrawerSettings::store(records::ConfigBlock& c) const {
  c.set_i64(cfg::kDrawerInUse, use ? 1 : 0);
  c.set_i32(cfg::kDrawerConnection, through_printer ? 2 : 0);
  if (port >= 0 && port < kDrawerPortCount) c.set_i64(cfg::kDrawerPort, port);
  if (auto v = text::whole_number_in_range(open_character, kMinCharacter, kMaxCharacter)) c.set_i64(cfg::kDrawerOpenCharacter, *v);
  if (auto v = text::whole_number_in_range(repeat, kMinRepeat, kMaxRepeat)) c.set_i64(cfg::kDrawerRepeat, *v);
  c.set_str(cfg::kDrawerControlSequence, kSequenceWidth, text::u16view(control_sequence).substr(0, kSequenceLength));
}

const std::array<const char16_t*, 4>& DrawerSettings::makers_sequences() {
  static const std::array<const char16_t*, 4> rows = {u"Citizen 27,112,0,50,250", u"Epson 27,112,0,5,250",
                                                      u"Ithaca 27,112,0,25,250", u"Samsung 27,112,0,60,240"};
  return rows;
}

PoleSettings PoleSettings::load(const records::ConfigBlock& c) {
  PoleSettings s;
  s.use = c.i32(cfg::kPoleInUse) != 0;
  const int32_t port = c.i32(cfg::kPolePort);
  s.port = port >= 0 && port < kPolePortCount ? port : 0;
  s.columns1 = number_text(c.i32(cfg::kPoleColumns1));
  s.columns2 = number_text(c.i32(cfg::kPoleColumns2));
  for (int i = 0; i < kPoleTextCount; ++i) s.texts[i] = pole_text(c, static_cast<PoleText>(i));
  return s;
}

void PoleSettings::store(records::ConfigBlock& c) const {
  c.set_i32(cfg::kPoleInUse, use ? 2 : 0);
  if (port >= 0 && port < kPolePortCount) c.set_i32(cfg::kPolePort, port);
  if (auto v = text::whole_number_in_range(columns1, 0, kMaxColumns)) c.set_i32(cfg::kPoleColumns1, static_cast<int32_t>(*v));
  if (auto v = text::whole_number_in_range(columns2, 0, kMaxColumns)) c.set_i32(cfg::kPoleColumns2, static_cast<int32_t>(*v));
  for (int i = 0; i < kPoleTextCount; ++i)
    c.set_str(pole_text_offset(i), cfg::kPoleTextWidth, text::u16view(texts[i]).substr(0, kTextLength));
}

const std::array<const char16_t*, kPoleTextCount>& PoleSettings::text_labels() {
  static const std::array<const char16_t*, kPoleTextCount> labels = {
      u"Passive text",  u"Switch printer on",     u"Switch printer off",
      u"Clear display message", u"Set cursor first line", u"Set cursor second line"};
  return labels;
}

DrawerSetup drawer_setup(const records::ConfigBlock& c) {
  DrawerSetup d;
  d.in_use = c.i64(cfg::kDrawerInUse) != 0;
  d.through_printer = c.i32(cfg::kDrawerConnection) == 2;
  d.device = port_device(static_cast<int>(std::clamp<int64_t>(c.i64(cfg::kDrawerPort), -1, kDrawerPortCount)));
  // A block damaged outside the program must not turn into a flood of bytes.
  const int64_t repeat = std::clamp<int64_t>(c.i64(cfg::kDrawerRepeat), 0, DrawerSettings::kMaxRepeat);
  d.kick.assign(static_cast<size_t>(repeat), static_cast<uint8_t>(c.i64(cfg::kDrawerOpenCharacter)));
  d.printer_sequence = read_control_sequence(c.str(cfg::kDrawerControlSequence, kSequenceWidth));
  d.printer = text::to_utf8(c.receipt_printer());
  return d;
}

PoleSetup pole_setup(const records::ConfigBlock& c) {
  PoleSetup p;
  p.in_use = c.i32(cfg::kPoleInUse) != 0;
  const int32_t port = c.i32(cfg::kPolePort);
  p.device = port >= 0 && port < kPolePortCount ? port_device(port) : std::string();
  p.columns1 = stored_columns(c, cfg::kPoleColumns1);
  p.columns2 = stored_columns(c, cfg::kPoleColumns2);
  p.passive = pole_text(c, PoleText::Passive);
  p.printer_on = pole_sequence(c, PoleText::PrinterOn);
  p.printer_off = pole_sequence(c, PoleText::PrinterOff);
  p.clear = pole_sequence(c, PoleText::Clear);
  p.first_line = pole_sequence(c, PoleText::FirstLine);
  p.second_line = pole_sequence(c, PoleText::SecondLine);
  return p;
}

}  // namespace kelvo::till
