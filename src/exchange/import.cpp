#include "exchange/import.h"

#include <unistd.h>

#include <algorithm>

#include "records/file_io.h"
#include "text/format.h"

namespace kelvo::exchange {

namespace {

using records::Shop;

constexpr int64_t kProgressEvery = 1024;

// The progress window goes whichever way the command ends.
struct ProgressShown {
  platform::Progress& p;
  ~ProgressShown() { p.finish(); }
};

std::optional<ImportRecords> ask_which(Shop& shop) {
  platform::PromptOptions o;
  o.proposal = u"1";
  auto a = shop.op().prompt(u"Enter 1 to import films, 2 to import members", o);
  if (!a || a->text.empty()) return std::nullopt;
  if (a->text[0] == u'1') return ImportRecords::Films;
  if (a->text[0] == u'2') return ImportRecords::Members;
  return std::nullopt;
}

std::vector<int> proposed_columns(ImportRecords which, int64_t fields) {
  std::vector<int> out;
  const auto labels = import_field_labels(which);
  for (size_t i = 0; i < labels.size(); ++i) out.push_back(static_cast<int64_t>(i + 1) <= fields ? static_cast<int>(i + 1) : 0);
  return out;
}

std::optional<LetterReplacement> read_replacement(const ColumnAnswer& a) {
  LetterReplacement r;
  if (!a.replace) return r;
  const auto value = text::parse_whole_number(a.value);
  const text::u16 letter = text::trimmed(a.letter);
  if (letter.size() != 1 || letter[0] < u'A' || letter[0] > u'Z' || !value || *value < 0 || *value > 2000)
    return std::nullopt;
  r.on = true;
  r.letter = letter[0];
  r.value = static_cast<int>(*value);
  return r;
}

// A new film.dat or member.dat is written whole beside the old one and only then put in its
// place, so the shop never lacks the file. The old one is kept under the set-aside name: a
// second name for the same file where the folder allows it, else a copy.
bool set_aside(const std::filesystem::path& file, const std::filesystem::path& aside) {
  ::unlink(aside.c_str());
  if (!records::file_size(file)) return true;  // nothing there to keep
  if (::link(file.c_str(), aside.c_str()) == 0) {
    records::sync_folder(aside.parent_path());
    return true;
  }
  return records::copy_file_replacing(file, aside);
}

void report_duplicate(Shop& shop, std::vector<int64_t>& numbers) {
  if (numbers.size() < 2) return;
  std::sort(numbers.begin(), numbers.end());
  auto twin = std::adjacent_find(numbers.begin(), numbers.end());
  if (twin != numbers.end())
    shop.op().message(u"Import inconsistancy", text::format("Item %I64d duplicated", {static_cast<long long>(*twin)}));
}

enum class Pass { Done, Cancelled };

// Step 8: a record from every counted line, kept when it has a number and a name or title.
template <class Record>
Pass write_records(const std::filesystem::path& from, int64_t lines, const ColumnMap& map,
                   Record (*from_line)(text::u16view, const ColumnMap&), records::FileReplacement& out,
                   std::vector<int64_t>& numbers, platform::Progress& progress) {
  Utf16Lines in(from);
  text::u16 line;
  bool lf = false;
  for (int64_t n = 0; n < lines && in.next(line, lf) && lf; ++n) {
    if (n % kProgressEvery == 0 && !progress.step(u"Import", n, lines)) return Pass::Cancelled;
    if (in.too_long()) continue;
    const Record r = from_line(line, map);
    if (!worth_keeping(r)) continue;
    out.write(r.data(), Record::kSize);
    numbers.push_back(r.number());
  }
  return Pass::Done;
}

// Steps 6 to 11.
ImportEnd replace_file(Shop& shop, ImportScreens& screens, ImportRecords which, const std::filesystem::path& from,
                       int64_t lines, const ColumnMap& map) {
  const bool films = which == ImportRecords::Films;
  const auto target = shop.path(films ? records::files::kFilm : records::files::kMember);
  const char16_t* unable = films ? u"Unable to open film.dat" : u"Unable to open member.dat";
  records::FileReplacement out(target);
  if (!out.opened()) {
    platform::problem(shop.op(), unable);
    return ImportEnd::Ended;
  }
  std::vector<int64_t> numbers;
  ProgressShown shown{screens.progress()};
  const Pass pass = films ? write_records(from, lines, map, &film_from_line, out, numbers, screens.progress())
                          : write_records(from, lines, map, &member_from_line, out, numbers, screens.progress());
  shown.p.finish();
  if (pass == Pass::Cancelled) return ImportEnd::Ended;
  // Members too: an empty member.dat would be refused at the next start.
  if (numbers.empty()) {
    platform::problem(shop.op(), u"No valid items");
    return ImportEnd::Ended;
  }
  if (!set_aside(target, shop.path(films ? kFilmSetAside : kMemberSetAside)) || !out.commit()) {
    platform::problem(shop.op(), unable);
    return ImportEnd::Ended;
  }
  // The summary of the day, written as the program closes, counts the records of the new file.
  const auto kept = static_cast<int64_t>(numbers.size());
  (films ? shop.films.counts() : shop.members.counts()) = records::RecordCounts{kept, 0, kept};
  report_duplicate(shop, numbers);
  shop.op().message(u"File import complete", u"QUENDRIX will now close down");
  return ImportEnd::CloseDown;
}

}  // namespace

std::optional<TextCounts> open_import_file(Shop& shop, const std::filesystem::path& file) {
  auto counts = count_text(file);
  if (!counts) {
    shop.op().message(u"Fatal error", u"File not present.");
    return std::nullopt;
  }
  if (records::file_size(file).value_or(0) == 0) {
    shop.op().message(u"Problem", u"File has no content", platform::Buttons::OkCancel);
    return std::nullopt;
  }
  return counts;
}

std::optional<ColumnMap> read_column_answer(Shop& shop, const ColumnAnswer& answer, int64_t fields) {
  ColumnMap map;
  auto replacement = read_replacement(answer);
  if (!replacement) {
    shop.op().message(u"File import problem", u"Replacement character value incorrect");
    return std::nullopt;
  }
  map.replacement = *replacement;
  for (const auto& typed : answer.columns) {
    // A box that does not hold a number is refused: read as 0 it would silently drop a field.
    auto column = text::parse_whole_number(typed);
    if (!column) {
      shop.op().message(u"File import problem", u"Column number incorrect");
      return std::nullopt;
    }
    map.columns.push_back(*column >= 1 && *column <= fields ? static_cast<int>(*column) : 0);
  }
  return map;
}

ImportEnd import_command(Shop& shop, ImportScreens& screens) {
  auto which = ask_which(shop);
  if (!which) return ImportEnd::Ended;
  auto file = screens.choose_file();
  if (!file) return ImportEnd::Ended;
  auto counts = open_import_file(shop, *file);
  if (!counts) return ImportEnd::Ended;
  if (counts->fields == 0 || counts->line_feeds == 0) {
    platform::problem(shop.op(), u"Non recognised format");
    return ImportEnd::Ended;
  }
  const auto question = text::format("%d records of %d fields", {static_cast<long long>(counts->line_feeds),
                                                                  static_cast<long long>(counts->fields)});
  if (shop.op().message(u"File import", question, platform::Buttons::OkCancel) != platform::Answer::Ok)
    return ImportEnd::Ended;
  auto answer = screens.columns(*which, proposed_columns(*which, counts->fields));
  if (!answer) return ImportEnd::Ended;
  auto map = read_column_answer(shop, *answer, counts->fields);
  if (!map || map->columns.empty() || map->columns[0] == 0) return ImportEnd::Ended;
  return replace_file(shop, screens, *which, *file, counts->line_feeds, *map);
}

}  // namespace kelvo::exchange
