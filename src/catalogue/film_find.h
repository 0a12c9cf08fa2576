#pragma once
// Finding a film: by number, by the start of its title, or by a fragment of its title. Every
// find loads the found record into shop.film and returns the selected film number, 0 when
// nothing was found or the operator cancelled. Rental, return, sale and the letters use these.
#include <cstdint>
#include <optional>

#include "catalogue/catalogue_views.h"
#include "catalogue/search_text.h"
#include "records/shop.h"

namespace kelvo::catalogue {

// When a typed text counts as a number.
enum class NumberRule {
  AnyPositive,  // any value above 0 (Amend, Delete, other parts)
  FindCommand,  // 1 to 10^17 only ("Find"), anything else searches titles
  NamesOnly,    // never ("Find by title")
};

constexpr size_t kTitleSearchLimit = 34;

// The number a typed text stands for under the rule, or nullopt for a title or name search.
// "2001 A" reads as 2001: the leading digits decide.
std::optional<int64_t> typed_number(text::u16view typed, NumberRule rule);

// Loads the film of a number silently; 0 when it is not on file.
int64_t find_film_by_number(records::Shop& shop, int64_t number);

// The shared find: number mode or title search. With show, a film found by number is shown.
int64_t find_film(records::Shop& shop, CatalogueViews& views, text::u16view typed, bool case_sensitive, bool show,
                  NumberRule rule = NumberRule::AnyPositive);

// Title search from slot 0, offering each match in "FIND FILM" until the operator chooses.
int64_t title_search(records::Shop& shop, CatalogueViews& views, const SearchText& search);

// Exact fragment anywhere in the title; each hit is asked about (Yes / No / Cancel).
int64_t find_that_contain(records::Shop& shop, CatalogueViews& views, text::u16view fragment);

// The menu commands with their prompts.
int64_t find_film_command(records::Shop& shop, CatalogueViews& views);            // "Find"
int64_t find_film_by_title_command(records::Shop& shop, CatalogueViews& views);   // "Find by title"
int64_t find_that_contain_command(records::Shop& shop, CatalogueViews& views);    // "Find that contain"

// For the "Next" of the film display: the film with the next higher number, loaded.
int64_t next_film(records::Shop& shop, int64_t after);

}  // namespace kelvo::catalogue
