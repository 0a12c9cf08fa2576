#pragma once
// The small settings of the main window: start numbers, listing indent and font size, the
// menu toggles and the tip of the day. Each rule takes the answer as typed and says what is
// stored, so the dialogs only show and ask.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::records {

// --- Start numbers: "Format 1 start", "Format 2 start", "Member start" -----------------------
enum class StartNumber { Format1, Format2, Member };

struct StartNumberText {
  const char16_t* prompt;   // "Default film start number"
  const char16_t* caption;  // of the confirmation, "Film start default"
};
StartNumberText start_number_text(StartNumber which);
size_t start_number_offset(StartNumber which);

constexpr int64_t kHighestStartNumber = 20'000'000'000'000;
constexpr int kSettingsPromptLength = 34;

// The proposal: the stored value plus one.
text::u16 start_number_proposal(const ConfigBlock& config, StartNumber which);
// The number typed, when it lies in 1 to 20,000,000,000,000.
std::optional<int64_t> parse_start_number(text::u16view answer);
// Stored as the start number minus one.
void store_start_number(ConfigBlock& config, StartNumber which, int64_t start);

// --- Listings --------------------------------------------------------------------------------
constexpr int kHighestIndent = 40;
// The indent typed, when it lies in 0 to 40 (text that is no number counts as 0).
std::optional<int64_t> parse_indent(text::u16view answer);

// "Printer font size": lines per page from 10 ("Large") to 200 ("Tiny"), or 0 for the
// printer's own font.
constexpr int kFewestListLines = 10;
constexpr int kMostListLines = 200;
int64_t list_font_value(int slider, bool printer_default);
// Where the slider starts for a stored value (the printer default shows as the large end).
int list_font_slider(int64_t stored);

// --- Menu toggles ----------------------------------------------------------------------------
// Each toggle is one field of the configuration block with its own idea of "on".
enum class Toggle {
  NewSearches, NotifyOnReturn, HiResPicture, PinRental, OperatorPinRental, DefaultDebtPaid,
  DefaultOverduePaid, InhibitFilmStart, InhibitMemberStart, SoundEffects
};
bool toggle_on(const ConfigBlock& config, Toggle t);
// Flips the field; returns the new state.
bool flip_toggle(ConfigBlock& config, Toggle t);

// The confirmations of the two allocation toggles: caption and text for the value now stored.
struct Confirmation {
  const char16_t* caption;
  const char16_t* text;
};
Confirmation debt_allocation_confirmation(const ConfigBlock& config);
Confirmation overdue_allocation_confirmation(const ConfigBlock& config);

// --- Clock display ---------------------------------------------------------------------------
bool clock_shown(const ConfigBlock& config);
void set_clock_shown(ConfigBlock& config, bool shown);

// --- Field labels ("Customize field names") --------------------------------------------------
enum class LabelTable { Film, Member };
int label_count(LabelTable table);
text::u16 field_label(const ConfigBlock& config, LabelTable table, int i);
// Cut to the 39 characters the field holds.
void set_field_label(ConfigBlock& config, LabelTable table, int i, text::u16view label);

// --- Tip of the day --------------------------------------------------------------------------
constexpr int kTipCount = 22;
const std::array<const char16_t*, kTipCount>& tips();
bool tips_shown_at_start(const ConfigBlock& config);
void set_tips_shown_at_start(ConfigBlock& config, bool shown);
// The tip to show at this start; the stored index moves on to the next one. A stored index
// outside 0 to 21 starts again at 0.
int take_tip(ConfigBlock& config);
int next_tip(int index);

}  // namespace kelvo::records
