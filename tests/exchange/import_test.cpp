// Utilities "Import": reading the text file, cutting its columns into fields, the number rules,
// the letter replacement, and the film and member files replaced or kept.
#include "exchange/import_fixture.h"

#include <cstring>

namespace kelvo::exchange {
namespace {

using records::FilmRecord;
using records::MemberRecord;

ColumnMap identity(size_t n) {
  ColumnMap m;
  for (size_t i = 0; i < n; ++i) m.columns.push_back(static_cast<int>(i + 1));
  return m;
}

// Number in column 1, name or title in column 2, the field under test (by its screen position,
// 0-based) in column 3.
ColumnMap field_in_third_column(size_t n, size_t field) {
  const size_t name = n == 11 ? 1 : 3;  // a film's title, a member's name
  ColumnMap m;
  m.columns.assign(n, 0);
  m.columns[0] = 1;
  m.columns[name] = 2;
  m.columns[field] = 3;
  return m;
}

TEST_F(ImportTest, EveryLayoutOfAUtf16FileImportsTheLinesThatEndWithALineFeed) {
  const std::vector<std::u16string> lines{u"1,Alien,HOR", u"2,Brazil,DRA", u"3,Cujo,HOR"};
  for (bool header : {true, false})
    for (bool crlf : {true, false})
      for (bool last_lf : {true, false}) {
        SCOPED_TRACE(::testing::Message() << "header " << header << " crlf " << crlf << " last_lf " << last_lf);
        write("films.txt", utf16_file(lines, {header, crlf, last_lf}));
        const std::string before = bytes_of("film.dat");
        op_.messages.clear();
        ASSERT_EQ(import("1", "films.txt"), ImportEnd::CloseDown);
        const size_t kept = last_lf ? 3 : 2;
        ASSERT_GE(op_.messages.size(), 2u);
        EXPECT_EQ(op_.messages[0].caption, "File import");
        EXPECT_EQ(op_.messages[0].body, std::to_string(kept) + " records of 3 fields");
        EXPECT_TRUE(op_.saw("File import complete", "QUENDRIX will now close down"));
        EXPECT_EQ(screens_.proposed, (std::vector<int>{1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0}));
        auto films = records_in<FilmRecord>("film.dat");
        ASSERT_EQ(films.size(), kept);
        EXPECT_EQ(films[0].title(), u"Alien");
        EXPECT_EQ(films[kept - 1].category(), kept == 3 ? u"HOR" : u"DRA");  // no CR left in the last field
        EXPECT_EQ(films[1].number(), 2);
        EXPECT_EQ(bytes_of("temp2.dat"), before);
      }
}

TEST_F(ImportTest, AColumnRunsFromItsCommaToTheNextCommaOrCarriageReturn) {
  struct Case {
    std::u16string line;
    int column;
    std::optional<std::u16string> text;
  };
  for (const auto& c : {Case{u"a,b,c", 1, u"a"}, Case{u"a,b,c", 2, u"b"}, Case{u"a,b,c\r", 3, u"c"},
                        Case{u"a,b\r,c", 2, u"b"}, Case{u"a,,c", 2, u""}, Case{u"a,b", 3, std::nullopt},
                        Case{u"a,b,", 3, u""}, Case{u"abc", 0, std::nullopt}}) {
    auto got = column_text(c.line, c.column);
    EXPECT_EQ(got ? std::optional<std::u16string>(*got) : std::nullopt, c.text)
        << text::to_utf8(c.line) << " column " << c.column;
  }
}

TEST_F(ImportTest, EachFieldKeepsItsWidthOfTheColumn) {
  const std::u16string x39(39, u'x');
  struct Case {
    size_t field;  // position on the mapping screen, 0-based
    std::u16string cell, kept;
  };
  auto film_text = [](const FilmRecord& f, size_t field) {
    switch (field) {
      case 1: return f.title();
      case 2: return f.category();
      case 3: return f.certificate();
      case 4: return f.supplier();
      case 5: return f.format();
      case 7: return f.date_added();
      default: return f.actor_1();
    }
  };
  for (const auto& c : {Case{1, x39, x39}, Case{1, x39 + u"y", x39}, Case{2, u"DRA", u"DRA"}, Case{2, u"DRAM", u"DRA"},
                        Case{3, u"PG13", u"PG"}, Case{4, u"ABCD", u"ABC"}, Case{5, u"VHS-C2", u"VHS-C"},
                        Case{7, u"01/02/2003 x", u"01/02/2003"}, Case{10, std::u16string(20, u'a'), std::u16string(19, u'a')}}) {
    const auto f = film_from_line(u"7,Title," + c.cell, field_in_third_column(11, c.field));
    EXPECT_EQ(film_text(f, c.field), c.kept) << "film field " << c.field;
  }
  auto member_text = [](const MemberRecord& m, size_t field) {
    switch (field) {
      case 1: return m.title();
      case 3: return m.name();
      case 7: return m.post_code();
      case 10: return m.credit_card();
      default: return m.born();
    }
  };
  for (const auto& c : {Case{1, u"Mrs.x", u"Mrs.x"}, Case{1, u"Mrs.xy", u"Mrs.x"}, Case{3, std::u16string(30, u'n'), std::u16string(29, u'n')},
                        Case{7, u"AB12 3CDE", u"AB12 3CDE"}, Case{7, u"AB12 3CDEF", u"AB12 3CDE"},
                        Case{10, x39 + u"9", x39}, Case{11, u"01/02/1990xy", u"01/02/1990x"}}) {
    const auto m = member_from_line(u"7,Name," + c.cell, field_in_third_column(18, c.field));
    EXPECT_EQ(member_text(m, c.field), c.kept) << "member field " << c.field;
  }
}

TEST_F(ImportTest, NumericFieldsAreTakenOnlyWithinTheirRules) {
  struct Case {
    bool film;
    size_t field;
    std::u16string cell;
    double value;  // what the record holds afterwards
  };
  for (const auto& c : {
           Case{true, 6, u"0", 1}, Case{true, 6, u"1", 1}, Case{true, 6, u"8", 8}, Case{true, 6, u"9", 1}, Case{true, 6, u"x", 1},
           Case{true, 8, u"0", 0}, Case{true, 8, u"0.01", 0.01f}, Case{true, 8, u"-3", 0},
           Case{true, 9, u"0", 0}, Case{true, 9, u"1", 1}, Case{true, 9, u"-2", 0}, Case{true, 9, u"3000000000", 0},
           Case{false, 15, u"0", 0}, Case{false, 15, u"12", 12},
           Case{false, 16, u"0", 1}, Case{false, 16, u"1", 1}, Case{false, 16, u"4000", 4000}, Case{false, 16, u"4001", 1},
           Case{false, 17, u"-0.5", 0}, Case{false, 17, u"0", 0}, Case{false, 17, u"2.5", 2.5}}) {
    double got = 0;
    if (c.film) {
      const auto f = film_from_line(u"7,Title," + c.cell, field_in_third_column(11, c.field));
      got = c.field == 6 ? f.charge_band() : c.field == 8 ? f.cost() : f.rentals();
    } else {
      const auto m = member_from_line(u"7,Name," + c.cell, field_in_third_column(18, c.field));
      got = c.field == 15 ? m.rented() : c.field == 16 ? m.category() : m.owed();
    }
    EXPECT_EQ(got, c.value) << (c.film ? "film" : "member") << " field " << c.field << " " << text::to_utf8(c.cell);
  }
}

TEST_F(ImportTest, OnlyARecordWithANumberInRangeAndTwoCharactersOfNameIsKept) {
  struct Case {
    std::u16string line;
    bool kept;
  };
  for (const auto& c : {Case{u"0,Alien", false}, Case{u"1,Alien", true}, Case{u"-5,Alien", false},
                        Case{u"100000000000000000,Alien", true}, Case{u"100000000000000001,Alien", false},
                        Case{u"abc,Alien", false}, Case{u"5,A", false}, Case{u"5,Ab", true}, Case{u"5", false}}) {
    EXPECT_EQ(worth_keeping(film_from_line(c.line, identity(2))), c.kept) << text::to_utf8(c.line);
    EXPECT_EQ(worth_keeping(member_from_line(c.line, field_in_third_column(18, 1))), c.kept) << text::to_utf8(c.line);
  }
}

TEST_F(ImportTest, ALeadingLetterStandsForTheDigitsOfTheValue) {
  struct Case {
    LetterReplacement r;
    std::u16string field;
    int64_t number;
  };
  const LetterReplacement d10{true, u'D', 10};
  for (const auto& c : {Case{d10, u"D2", 102}, Case{d10, u"D15", 1015}, Case{d10, u"E2", 0}, Case{d10, u"d2", 0},
                        Case{d10, u"25", 25}, Case{{false, u'D', 10}, u"D2", 0}, Case{{true, u'D', 0}, u"D7", 7},
                        Case{{true, u'Z', 2000}, u"Z1", 20001}}) {
    EXPECT_EQ(import_number(c.field, c.r), c.number) << text::to_utf8(c.field);
  }
}

TEST_F(ImportTest, TypedColumnsAndReplacementsThatAreNotNumbersAreRefused) {
  struct Case {
    std::u16string column, letter, value;
    bool replace;
    const char* refusal;  // nullptr: accepted
  };
  for (const auto& c : {Case{u"2", u"D", u"10", true, nullptr}, Case{u"2", u"A", u"0", true, nullptr},
                        Case{u"2", u"Z", u"2000", true, nullptr}, Case{u"2", u"D", u"2001", true, "Replacement character value incorrect"},
                        Case{u"2", u"D", u"-1", true, "Replacement character value incorrect"},
                        Case{u"2", u"D", u"ten", true, "Replacement character value incorrect"},
                        Case{u"2", u"D", u"", true, "Replacement character value incorrect"},
                        Case{u"2", u"d", u"10", true, "Replacement character value incorrect"},
                        Case{u"2", u"", u"10", true, "Replacement character value incorrect"},
                        Case{u"2", u"", u"ten", false, nullptr}, Case{u"two", u"", u"", false, "Column number incorrect"},
                        Case{u"", u"", u"", false, "Column number incorrect"}}) {
    op_.messages.clear();
    ColumnAnswer a{{u"1", c.column}, c.replace, c.letter, c.value};
    auto map = read_column_answer(shop_, a, 2);
    EXPECT_EQ(map.has_value(), c.refusal == nullptr) << text::to_utf8(c.column) << " " << text::to_utf8(c.value);
    if (c.refusal) {
      EXPECT_TRUE(op_.saw("File import problem", c.refusal)) << c.refusal;
    }
  }
  // A column beyond the file's fields is a number all the same, and counts as not imported.
  auto map = read_column_answer(shop_, ColumnAnswer{{u"1", u"2", u"3", u"-1"}, false, u"", u""}, 2);
  ASSERT_TRUE(map);
  EXPECT_EQ(map->columns, (std::vector<int>{1, 2, 0, 0}));
}

TEST_F(ImportTest, LettersReplacedInTheFlowAndDuplicatesReportedWithBothRecordsKept) {
  write("films.txt", utf16_file({u"D2,Jaws", u"D15,Alien", u"5,Jaws", u"5,Jaws"}, {}));
  screens_.answer = ColumnAnswer{{u"1", u"2", u"0", u"0", u"0", u"0", u"0", u"0", u"0", u"0", u"0"}, true, u"D", u"10"};
  EXPECT_EQ(import("1", "films.txt"), ImportEnd::CloseDown);
  const auto films = records_in<FilmRecord>("film.dat");
  ASSERT_EQ(films.size(), 4u);
  EXPECT_EQ(films[0].number(), 102);
  EXPECT_EQ(films[1].number(), 1015);
  EXPECT_EQ(films[3].number(), 5);
  EXPECT_TRUE(op_.saw("Import inconsistancy", "Item 5 duplicated"));
  EXPECT_TRUE(op_.saw("File import complete", "QUENDRIX will now close down"));
}

TEST_F(ImportTest, AnImportThatKeepsNoRecordLeavesFilmsAndMembersAsTheyWere) {
  for (const char* kind : {"1", "2"}) {
    const bool films = kind[0] == '1';
    const char* data = films ? "film.dat" : "member.dat";
    const char* aside = films ? "temp2.dat" : "temp3.dat";
    const std::string before = bytes_of(data);
    write(aside, "an earlier import");
    write("none.txt", utf16_file({u"0,Heading", u"5,A"}, {}));
    op_.messages.clear();
    screens_.answer = ColumnAnswer{};
    EXPECT_EQ(import(kind, "none.txt"), ImportEnd::Ended) << kind;
    EXPECT_TRUE(op_.saw("Problem", "No valid items")) << kind;
    EXPECT_EQ(bytes_of(data), before) << kind;
    EXPECT_EQ(bytes_of(aside), "an earlier import") << kind;
  }
}

TEST_F(ImportTest, AMemberImportKeepsTheOldMemberFileAsideAndCancelReplacesNothing) {
  write("members.txt", utf16_file({u"1,Mr,John,Smith", u"2,Ms,Ann,Jones"}, {}));
  const std::string before = bytes_of("member.dat");
  screens_.cancel_at_step = 0;
  EXPECT_EQ(import("2", "members.txt"), ImportEnd::Ended);
  EXPECT_EQ(bytes_of("member.dat"), before);
  EXPECT_FALSE(exists("temp3.dat"));

  screens_.cancel_at_step = -1;
  screens_.answer = ColumnAnswer{};
  EXPECT_EQ(import("2", "members.txt"), ImportEnd::CloseDown);
  EXPECT_EQ(bytes_of("temp3.dat"), before);
  const auto members = records_in<MemberRecord>("member.dat");
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[1].name(), u"Jones");
  EXPECT_EQ(members[1].initial(), u"Ann");
  EXPECT_EQ(members[1].category(), 1);
  EXPECT_EQ(shop_.members.counts().live, 2);
  // The next start opens the imported file.
  testing::ScriptedOperator op;
  records::Shop next(folder_, op, clock_, locale_);
  ASSERT_TRUE(records::open_data(next));
  EXPECT_EQ(next.members.counts().live, 2);
}

TEST_F(ImportTest, ALineOfMoreThan1998CharactersIsNotImported) {
  const std::u16string at_limit = u"1,At limit," + std::u16string(1998 - 11, u'x');
  const std::u16string over = u"2,Over," + std::u16string(1999 - 7, u'x');
  ASSERT_EQ(at_limit.size(), 1998u);
  write("long.txt", utf16_file({at_limit, over, u"3,After"}, {}));
  EXPECT_EQ(import("1", "long.txt"), ImportEnd::CloseDown);
  const auto films = records_in<FilmRecord>("film.dat");
  ASSERT_EQ(films.size(), 2u);
  EXPECT_EQ(films[0].number(), 1);
  EXPECT_EQ(films[1].number(), 3);
}

TEST_F(ImportTest, FilesThatCannotBeImportedAreToldApartAndChangeNothing) {
  struct Case {
    const char* kind;
    std::optional<std::string> bytes;  // nullopt: no such file
    const char* caption;
    const char* body;
  };
  for (const auto& c : {Case{"1", std::nullopt, "Fatal error", "File not present."},
                        Case{"1", std::string(), "Problem", "File has no content"},
                        Case{"1", std::string("\xFF\xFE"), "Problem", "Non recognised format"},
                        Case{"2", utf16_file({u"1,Smith"}, {.last_lf = false}), "Problem", "Non recognised format"}}) {
    std::filesystem::remove(folder_ / "in.txt");
    if (c.bytes) write("in.txt", *c.bytes);
    op_.messages.clear();
    const std::string films = bytes_of("film.dat"), members = bytes_of("member.dat");
    EXPECT_EQ(import(c.kind, "in.txt"), ImportEnd::Ended);
    EXPECT_TRUE(op_.saw(c.caption, c.body)) << c.body;
    EXPECT_EQ(bytes_of("film.dat"), films);
    EXPECT_EQ(bytes_of("member.dat"), members);
  }
  // Neither 1 nor 2: nothing is asked.
  op_.messages.clear();
  op_.texts.push_back(u"3");
  screens_.file.reset();
  EXPECT_EQ(import_command(shop_, screens_), ImportEnd::Ended);
  EXPECT_TRUE(op_.messages.empty());
}

}  // namespace
}  // namespace kelvo::exchange
