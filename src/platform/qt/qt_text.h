#pragma once
// Between the core's UTF-16 text and QString: both are UTF-16, so nothing is re-encoded.
#include <QString>

#include "text/utf16.h"

namespace kelvo::platform::qt {

inline QString qs(text::u16view s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
inline text::u16 u16(const QString& s) { return s.toStdU16String(); }

}  // namespace kelvo::platform::qt
