#pragma once
// The XML film item: one <item> element per film, its field elements in a fixed order with
// fixed value formats. The counter's XML export and the web inventory uploader both write it,
// so both produce the same document for the same film.
#include <array>

#include "records/film_record.h"
#include "text/utf16.h"

namespace kelvo::exchange {

// Document head and tail of every XML file the system writes.
inline constexpr char16_t kXmlHead[] = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<document>\r\n";
inline constexpr char16_t kXmlTail[] = u"</document>";

// The fields of an item that may be left out, in item order. number, title, website and notes
// are always written.
enum class FilmXmlField {
  category, certificate, supplier, actor_1, actor_2, director, format, cost, charge_band, date_added,
  rentals, revenue, language, location, last_hire, on_loan_to, return_date, last_rental_by,
  previous_to_last_rental_by,
};
constexpr int kFilmXmlOptionalFields = 19;

// Which optional fields an item holds; all of them unless told otherwise.
class FilmXmlFields {
 public:
  FilmXmlFields() { included_.fill(true); }
  bool includes(FilmXmlField f) const { return included_[static_cast<int>(f)]; }
  void set(FilmXmlField f, bool included) { included_[static_cast<int>(f)] = included; }

 private:
  std::array<bool, kFilmXmlOptionalFields> included_;
};

// Text made safe inside an element: & < > " ' become entity references, and the characters an
// XML 1.0 document may not hold at all (controls other than tab, LF and CR, U+FFFE, U+FFFF) are
// dropped, since a single one would make the whole document unreadable.
text::u16 xml_escape(text::u16view s);

// "<item>" CR LF, one line per field, "</item>" CR LF.
text::u16 xml_film_item(const records::FilmRecord& film, const FilmXmlFields& fields = {});

}  // namespace kelvo::exchange
