#pragma once
// A plain e-mail address: the only form that may become an SMTP command or a mail header line.
// Whatever else a field holds (a display name, angle brackets, a parameter after the address, a
// second address) would reach the server inside the command, so it is refused, never cleaned up.
#include "text/utf16.h"

namespace kelvo::text {

enum class AddressFault {
  None,
  Empty,
  LineBreak,  // a carriage return or line feed
  NotOneAt,   // no @, several, or nothing on one side of it
  Forbidden,  // a blank, a control character, one of < > ( ) , ; " \ or a broken surrogate pair
  TooLong,
};

// The limits of the SMTP standard, counted in bytes of the UTF-8 form as the server sees them.
inline constexpr size_t kAddressLimit = 254;
inline constexpr size_t kLocalPartLimit = 64;

AddressFault address_fault(u16view address);

bool is_ascii(u16view s);

}  // namespace kelvo::text
