#pragma once
// What one exported record looks like in each of the three export formats, and the heads and
// tails around them. Plain text in, text out: the file handling lives in export.h.
#include <array>

#include "records/film_record.h"
#include "records/member_record.h"
#include "text/utf16.h"

namespace kelvo::exchange {

enum class ExportRecords { Films, Members };
enum class ExportFormat { Text, Html, Xml };
enum class TextSize { Small, Medium, Large };

// The ten field boxes of the Text and HTML exports. Box 1 is the number, box 2 the title; the
// rest name different fields for films and members (see the field screen).
struct FieldChoice {
  static constexpr int kBoxes = 10;
  std::array<bool, kBoxes> ticked{true, true, true, true, true, true, true, true, true, true};
  bool entire = false;  // every field of the ten and, in Text, the further ones
  // Box i (1 to 10) is written.
  bool on(int box) const { return entire || ticked[static_cast<size_t>(box - 1)]; }
};

// The labels of the ten boxes on the field screen.
const std::array<const char16_t*, FieldChoice::kBoxes>& field_labels(ExportRecords which);

// Comma-separated fields ending in CR LF. Nothing is quoted: a comma inside a field stays.
text::u16 text_film_line(const records::FilmRecord& film, const FieldChoice& fields);
text::u16 text_member_line(const records::MemberRecord& member, const FieldChoice& fields);

struct HtmlStyle {
  bool bold_number = true;
  bool bold_title = true;
  TextSize size = TextSize::Small;
};
text::u16 html_head(TextSize size);
inline constexpr char16_t kHtmlTail[] = u"</BODY></HTML>";
// One line of the page ending in "<BR>" CR LF. Field text is escaped, so a title holding "<" or
// "&" shows as typed instead of breaking the page.
text::u16 html_film_line(const records::FilmRecord& film, const FieldChoice& fields, const HtmlStyle& style);
text::u16 html_member_line(const records::MemberRecord& member, const FieldChoice& fields, const HtmlStyle& style);
text::u16 html_escape(text::u16view s);

// "<customer>" CR LF, one line per field, "</customer>" CR LF; every text value escaped.
text::u16 xml_member_item(const records::MemberRecord& member);

}  // namespace kelvo::exchange
