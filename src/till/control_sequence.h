#pragma once
// Control sequences as the shop types them for printers, drawers and displays: decimal byte
// values separated by commas, for example "27,112,0,25,250" (a drawer kick).
#include <cstdint>
#include <vector>

#include "text/utf16.h"

namespace kelvo::till {

using Bytes = std::vector<uint8_t>;

// One byte per value. Each value is read as the C library reads a number (blanks, sign,
// digits, stopping at anything else), so an empty value is 0 and "27 x" is 27; a value beyond
// a byte keeps its low eight bits. An empty text is no bytes at all.
Bytes read_control_sequence(text::u16view typed);

}  // namespace kelvo::till
