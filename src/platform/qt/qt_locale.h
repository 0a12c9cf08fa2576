#pragma once
// Dates in the machine's own language and its currency symbol.
#include "platform/locale.h"

namespace kelvo::platform::qt {

class QtLocale : public Locale {
 public:
  std::optional<text::u16> format_date(const text::DateTime& d, text::u16view picture) const override;
  text::u16 currency_symbol() const override;
};

}  // namespace kelvo::platform::qt
