#pragma once
// Locale-formatted dates and the currency symbol. The Qt side asks QLocale; the plain English
// implementation serves tests and the command-line programs.
#include <optional>

#include "text/calendar.h"

namespace kelvo::platform {

class Locale {
 public:
  virtual ~Locale() = default;
  // Date pictures of the program: "ddd d MMM yy", "ddd MMM d yyyy", "dddd MMMM d yyyy",
  // "MMM d yyyy", "ddd MMM dd yy". nullopt when the date cannot be shown.
  virtual std::optional<text::u16> format_date(const text::DateTime& d, text::u16view picture) const = 0;
  virtual text::u16 currency_symbol() const = 0;
};

class EnglishLocale : public Locale {
 public:
  std::optional<text::u16> format_date(const text::DateTime& d, text::u16view picture) const override;
  text::u16 currency_symbol() const override { return u"$"; }
};

}  // namespace kelvo::platform
