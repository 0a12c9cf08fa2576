#pragma once
// The cash drawer ("Till configuration") and the pole display ("Pole configuration"): the
// pages' values as typed, the rules that store them, and what the devices are handed.
//
// The devices run on a worker thread, so they are given a setup copied out of the block on the
// counter's thread rather than the block itself.
#include <array>
#include <cstdint>
#include <string>

#include "records/config_block.h"
#include "till/control_sequence.h"

namespace kelvo::till {

// --- "Till configuration" --------------------------------------------------------------------
struct DrawerSettings {
  static constexpr int64_t kMinCharacter = 0, kMaxCharacter = 255;
  static constexpr int64_t kMinRepeat = 1, kMaxRepeat = 10;
  static constexpr size_t kSequenceLength = 31;

  bool use = false;
  bool through_printer = false;  // "Receipt printer connect", else "Direct connect"
  int port = 0;                  // 0-7 COM1-COM8, 8 LPT1, 9 LPT2
  text::u16 open_character;      // as typed
  text::u16 repeat;
  text::u16 control_sequence;

  static DrawerSettings load(const records::ConfigBlock& config);
  // An open character or repeat outside its range, or not a number, leaves the old value.
  void store(records::ConfigBlock& config) const;
  // "Citizen 27,112,0,50,250" ...: the makers' drawer kicks shown for reference.
  static const std::array<const char16_t*, 4>& makers_sequences();
};

// --- "Pole configuration" --------------------------------------------------------------------
enum class PoleText { Passive, PrinterOn, PrinterOff, Clear, FirstLine, SecondLine };
constexpr int kPoleTextCount = 6;

struct PoleSettings {
  static constexpr int64_t kMaxColumns = 80;
  static constexpr size_t kTextLength = 31;

  bool use = false;
  int port = 0;  // 0-7 COM1-COM8
  text::u16 columns1, columns2;  // as typed; 0 means the text is not cut
  std::array<text::u16, kPoleTextCount> texts;

  static PoleSettings load(const records::ConfigBlock& config);
  // Columns outside 0 to 80, or not a number, leave the old value.
  void store(records::ConfigBlock& config) const;
  // The labels of the six texts, in the order of PoleText.
  static const std::array<const char16_t*, kPoleTextCount>& text_labels();
};

// --- What the devices are handed --------------------------------------------------------------
struct DrawerSetup {
  bool in_use = false;
  bool through_printer = false;
  std::string device;       // the port's device file (direct connection)
  Bytes kick;               // the open character, "Repeat" times
  Bytes printer_sequence;   // sent through the receipt printer
  std::string printer;      // the receipt printer's queue; empty for the system default
};
DrawerSetup drawer_setup(const records::ConfigBlock& config);

struct PoleSetup {
  bool in_use = false;
  std::string device;
  int columns1 = 0, columns2 = 0;
  text::u16 passive;
  Bytes printer_on, printer_off, clear, first_line, second_line;
};
PoleSetup pole_setup(const records::ConfigBlock& config);

}  // namespace kelvo::till
