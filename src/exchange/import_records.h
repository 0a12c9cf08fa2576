#pragma once
// Films and members made from the columns of an import line: the fields the column mapping
// screens offer, how much of each column is kept and the rules for the numeric ones.
#include <span>
#include <vector>

#include "exchange/import_text.h"
#include "records/film_record.h"
#include "records/member_record.h"

namespace kelvo::exchange {

enum class ImportRecords { Films, Members };

// The labels of the mapping screen, in the order of the columns asked for; the first is Number.
std::span<const char16_t* const> import_field_labels(ImportRecords which);

// A column number per field of the screen (0: not imported) and the letter replacement.
struct ColumnMap {
  std::vector<int> columns;
  LetterReplacement replacement;
};

// A clean record filled from the mapped columns of one line (its CR LF already gone).
records::FilmRecord film_from_line(text::u16view line, const ColumnMap& map);
records::MemberRecord member_from_line(text::u16view line, const ColumnMap& map);

// Only a record with a number from 1 to 10^17 and at least two characters of title or name is
// imported.
bool worth_keeping(const records::FilmRecord& f);
bool worth_keeping(const records::MemberRecord& m);

}  // namespace kelvo::exchange
