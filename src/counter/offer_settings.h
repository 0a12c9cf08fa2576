#pragma once
// The settings behind pricing: the four special offers, charge band days, the closed day and
// rental credits as their screens edit them, and the three one-price prompts. Each settings
// model is read from the configuration block, edited by its screen and stored back; a value the
// shop typed outside its range leaves the stored one as it was.
#include <array>
#include <cstdint>
#include <optional>

#include "counter/pricing.h"
#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::records {
class Shop;
}

namespace kelvo::counter {

// Reads a whole number typed in a box: blanks, an optional sign and digits; nullopt when there
// are no digits or the number does not fit.
std::optional<int64_t> read_whole_number(text::u16view t);

struct SpecialOffer {
  text::u16 total;  // pence, as typed
  text::u16 days;
  bool use_band_days = false;
};

struct SpecialOffersSettings {
  static constexpr int64_t kMinTotal = 2, kMaxTotal = 19999;
  static constexpr int64_t kMinDays = 1, kMaxDays = 14;
  std::array<SpecialOffer, 4> offers;

  static SpecialOffersSettings load(const records::ConfigBlock& config);
  void store(records::ConfigBlock& config) const;
  // "Offer 1 ('7' key)" ... "Offer 4 ('0' key)".
  static text::u16 group_title(int k);
};

struct BandDaysSettings {
  static constexpr int64_t kMinDays = 1, kMaxDays = 28;
  bool active = false;
  std::array<text::u16, 8> days;  // bands 1 to 8, as typed

  static BandDaysSettings load(const records::ConfigBlock& config);
  void store(records::ConfigBlock& config) const;
};

struct ClosedDaySettings {
  int closed_day = 0;  // 0 none, 1 Sunday ... 7 Saturday
  bool two_days = false;

  static ClosedDaySettings load(const records::ConfigBlock& config);
  void store(records::ConfigBlock& config) const;
  // "Non", "Sunday" ... "Saturday": the choices in closed_day order.
  static const std::array<const char16_t*, 8>& choices();
};

struct RentalCreditsSettings {
  static constexpr int64_t kMax = 99999;
  bool use = false;
  text::u16 threshold, credits, per_rentals;  // as typed

  static RentalCreditsSettings load(const records::ConfigBlock& config);
  void store(records::ConfigBlock& config) const;
};

// The three one-price offers of the Options menu.
enum class OnePrice { AllItems, AnyTwo, AnyThree };
constexpr int64_t kMaxOnePrice = 10000;

text::u16 one_price_question(OnePrice which);
// Asks for the price, pence; 0 ends the offer. Refused values change nothing.
void ask_one_price(records::Shop& shop, OfferState& offers, OnePrice which);

}  // namespace kelvo::counter
