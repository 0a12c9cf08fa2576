#include "platform/qt/qt_locale.h"

#include <QDate>
#include <QLocale>

#include "platform/qt/qt_text.h"

namespace kelvo::platform::qt {

std::optional<text::u16> QtLocale::format_date(const text::DateTime& d, text::u16view picture) const {
  QDate date(d.year, d.month, d.day);
  if (!date.isValid()) return std::nullopt;
  // The pictures use the same letters as QLocale's date formats.
  return u16(QLocale::system().toString(date, qs(picture)));
}

text::u16 QtLocale::currency_symbol() const { return u16(QLocale::system().currencySymbol()); }

}  // namespace kelvo::platform::qt
