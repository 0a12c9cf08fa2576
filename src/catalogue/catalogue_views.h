#pragma once
// The screens that the catalogue flows need besides message boxes and prompts. The Qt side
// draws them; tests answer them from a script.
#include <array>
#include <vector>

#include "records/film_record.h"
#include "records/member_record.h"
#include "text/utf16.h"

namespace kelvo::catalogue {

// "FIND FILM" / "FIND MEMBER": one match at a time with OK, Next and Cancel.
enum class MatchChoice { Select, Next, Cancel };

// A row of the list window: four text columns.
using ListRow = std::array<text::u16, 4>;
constexpr int kListRows = 13;
enum class ListAnswer { More, Cancel };

struct MulticopyResult;

class CatalogueViews {
 public:
  virtual ~CatalogueViews() = default;
  virtual MatchChoice offer_film(const records::FilmRecord& film) = 0;
  virtual MatchChoice offer_member(const records::MemberRecord& member) = 0;
  // "FILM" and "MEMBER": show the current record; their "Next" is the screen's own business
  // (see next_film / next_member).
  virtual void show_film(const records::FilmRecord& film) = 0;
  virtual void show_member(const records::MemberRecord& member) = 0;
  // One page of the list window: up to 13 rows; more_left says whether "More" has anything.
  virtual ListAnswer show_list_page(text::u16view title, const std::vector<ListRow>& rows, bool more_left) = 0;
  // "Multiple copy analysis".
  virtual void show_multicopy(const MulticopyResult& result) = 0;
};

}  // namespace kelvo::catalogue
