#pragma once
// Finding a member: by number, by last name with an optional first name, by road, or by
// telephone. Every find loads the record into shop.member and returns the selected member
// number, 0 when nothing was found or the operator cancelled.
#include <cstdint>

#include "catalogue/catalogue_views.h"
#include "catalogue/film_find.h"
#include "catalogue/search_text.h"
#include "platform/operator.h"
#include "records/shop.h"

namespace kelvo::catalogue {

constexpr size_t kNameSearchLimit = 29;
constexpr size_t kFirstNameSearchLimit = 7;
constexpr size_t kTelephoneLimit = 19;

// Loads the member of a number silently; 0 when it is not on file.
int64_t find_member_by_number(records::Shop& shop, int64_t number);

// The shared find. typed.text is the number or last name, typed.first_name the optional first
// name, typed.case_sensitive the box. An empty text asks "Find member" first.
int64_t find_member(records::Shop& shop, CatalogueViews& views, const platform::PromptAnswer& typed, bool show,
                    NumberRule rule = NumberRule::AnyPositive);

// The name search alone: one match at a time, or the "Please select:" list when the member
// search list option is set.
int64_t name_search(records::Shop& shop, CatalogueViews& views, const SearchText& last_name,
                    text::u16view first_name);
// The typed text anywhere in the first line of the address, offered as the name search is.
int64_t address_search(records::Shop& shop, CatalogueViews& views, text::u16view road, bool case_sensitive);

// Members whose first or second telephone holds the text, asked about one by one. True when
// the operator accepted one (then loaded in shop.member).
bool find_by_telephone(records::Shop& shop, text::u16view telephone);

// The commands with their prompts and input limits.
int64_t find_member_command(records::Shop& shop, CatalogueViews& views);        // "Find" (F4)
int64_t find_by_telephone_command(records::Shop& shop, CatalogueViews& views);  // shows the member
int64_t find_by_address_command(records::Shop& shop, CatalogueViews& views);    // "By address"

// The lists shown before a new member is stored ("New searches"): members of the same last
// name and members at the same road.
void new_member_searches(records::Shop& shop, CatalogueViews& views, const records::MemberRecord& candidate);

// For the "Next" of the member display.
int64_t next_member(records::Shop& shop, int64_t after);

// The row of a member in the list window: number; name; title and first name; road.
ListRow member_row(const records::MemberRecord& m);

}  // namespace kelvo::catalogue
