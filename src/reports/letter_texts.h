#pragma once
// The texts a store may change: the closings of the two overdue letters (Custfor2.txt,
// Custfor8.txt) and the application form text (Custform.txt). Each file is UTF-16LE without a
// byte-order mark, CR LF line ends, read whole.
#include <optional>
#include <string_view>

#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::reports {

namespace letter_files {
constexpr std::string_view kLetter1 = "Custfor2.txt";
constexpr std::string_view kLetter2 = "Custfor8.txt";
constexpr std::string_view kForm = "Custform.txt";
}  // namespace letter_files

// The fields of the windows take 2000 characters at most (1998 for the form text).
constexpr size_t kLetterTextLimit = 2000;
constexpr size_t kFormTextLimit = 1998;

enum class OverdueLetter { First, Final };

text::u16 default_closing(OverdueLetter which);
text::u16 default_form_text();

// The text of the file when it holds 1 to 1999 characters; nullopt when it is missing, empty,
// too long or not whole UTF-16.
std::optional<text::u16> read_letter_text(const records::Shop& shop, std::string_view file);
// The closing printed after the items: the file's text or the default.
text::u16 closing_text(const records::Shop& shop, OverdueLetter which);
// What the "Customer agreement" window opens with: the file's text or the default.
text::u16 form_text(const records::Shop& shop);

// Line ends of a typed text made CR LF (a window may hand over LF alone).
text::u16 with_crlf(text::u16view s);
// Replaces the file whole with the text, CR LF line ends; "File failure." (caption "Fatal
// error") when it cannot be written, the old file then left as it was.
bool save_letter_text(const records::Shop& shop, std::string_view file, text::u16view s);

}  // namespace kelvo::reports
