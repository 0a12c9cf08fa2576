// The export command's steps: range checks, file names, screens shown, and what is left on
// disk when an export cannot finish.
#include "exchange/export_fixture.h"
#include "support/temporaries.h"

#include <unistd.h>

namespace kelvo::exchange {
namespace {

TEST_F(ExportTest, RangesThatCannotBeExportedAskNothingAndWriteNothing) {
  add(film(50, u"Alien"));
  for (auto [start, finish] : {std::pair{u"0", u"10"}, {u"5", u"4"}, {u"abc", u"10"}, {u"-3", u"10"}, {u"1", u""}}) {
    ExportChoices c;
    c.start = start;
    c.finish = finish;
    run(c, u"FILM.TXT");
    EXPECT_TRUE(op_.saw("Problem", "Invalid range")) << text::to_utf8(start) << ".." << text::to_utf8(finish);
    op_.messages.clear();
    op_.texts.clear();
  }
  EXPECT_TRUE(op_.questions.empty());

  run(range(100, 200), u"FILM.TXT");
  EXPECT_TRUE(op_.saw("Problem", "No items in range."));
  EXPECT_FALSE(exists("FILM.TXT"));
  // Only the deleted first-run slot lies below: still nothing in range.
  op_.messages.clear();
  run(range(1, 49, ExportRecords::Members), u"MEMBER.TXT");
  EXPECT_TRUE(op_.saw("Problem", "No items in range."));
}

TEST_F(ExportTest, ProposesTheFileNameOfRecordsAndFormatAndShowsTheFieldScreenOnlyForTextAndHtml) {
  add(film(1, u"Alien"));
  add(member(1, u"Smith"));
  struct Case {
    ExportRecords r;
    ExportFormat f;
    const char* name;
    const char* question;
  };
  for (auto [r, f, name, question] : {
           Case{ExportRecords::Films, ExportFormat::Text, "FILM.TXT", "Enter the film file path/name:"},
           Case{ExportRecords::Films, ExportFormat::Html, "FILM.HTM", "Enter the film file path/name:"},
           Case{ExportRecords::Films, ExportFormat::Xml, "FILM.XML", "Enter the film file path/name:"},
           Case{ExportRecords::Members, ExportFormat::Text, "MEMBER.TXT", "Enter the member file path/name:"},
           Case{ExportRecords::Members, ExportFormat::Html, "MEMBER.HTM", "Enter the member file path/name:"},
           Case{ExportRecords::Members, ExportFormat::Xml, "MEMBER.XML", "Enter the member file path/name:"}}) {
    op_.questions.clear();
    op_.options.clear();
    screens_.field_screens.clear();
    run(range(1, 2, r, f), text::from_utf8(name));
    ASSERT_EQ(op_.questions.size(), 1u);
    EXPECT_EQ(op_.questions[0], question);
    EXPECT_EQ(text::to_utf8(op_.options[0].proposal), name);
    EXPECT_EQ(op_.options[0].max_length, 34);
    EXPECT_EQ(screens_.field_screens.size(), f == ExportFormat::Xml ? 0u : 1u) << name;
    if (!screens_.field_screens.empty()) {
      EXPECT_EQ(screens_.field_screens[0], r);
    }
    EXPECT_TRUE(exists(name)) << name;
    EXPECT_TRUE(op_.saw("File export", "Complete."));
  }
}

TEST_F(ExportTest, CancelAtAnyScreenOrAnEmptyNameWritesNothing) {
  add(film(1, u"Alien"));
  screens_.choices = std::nullopt;
  export_command(shop_, screens_);
  EXPECT_TRUE(op_.questions.empty());

  run(range(1, 2), std::nullopt);
  run(range(1, 2), u"");
  EXPECT_TRUE(screens_.field_screens.empty());
  run(range(1, 2), u"FILM.TXT", {});
  EXPECT_TRUE(exists("FILM.TXT"));
  std::filesystem::remove(folder_ / "FILM.TXT");
  op_.messages.clear();
  screens_.choices = range(1, 2);
  screens_.fields_answer = std::nullopt;
  op_.texts.push_back(u"FILM.TXT");
  export_command(shop_, screens_);
  EXPECT_FALSE(exists("FILM.TXT"));
  EXPECT_FALSE(op_.saw("File export", "Complete."));
}

TEST_F(ExportTest, OffersTheStoreCategoriesInTheirOrderWithoutBlankOnes) {
  for (int i = 1; i <= 18; ++i) shop_.config.set_str(records::cfg::category_name(i), 40, u"");
  shop_.config.set_str(records::cfg::category_name(1), 40, u"Drama");
  shop_.config.set_str(records::cfg::category_name(3), 40, u"Action");
  screens_.choices = std::nullopt;
  export_command(shop_, screens_);
  EXPECT_EQ(screens_.categories_offered, (std::vector<text::u16>{u"Drama", u"Action"}));
}

TEST_F(ExportTest, AFullPathAndAFileInAnotherFolderAreWritten) {
  add(film(1, u"Alien"));
  std::filesystem::create_directory(folder_ / "out");
  run(range(1, 1), u"out/films.txt", only({1, 2}));
  EXPECT_EQ(read_back("out/films.txt"), u"1,Alien\r\n");
  auto full = (folder_ / "full.txt").u16string();
  run(range(1, 1), full, only({1}));
  EXPECT_EQ(read_back("full.txt"), u"1\r\n");
}

TEST_F(ExportTest, AFailedExportLeavesTheEarlierFileWholeAndNoTemporaryFile) {
  add(film(1, u"Alien"));
  add(film(2, u"Brazil"));
  run(range(1, 2), u"FILM.TXT", only({1, 2}));
  const std::string good = bytes_of("FILM.TXT");
  ASSERT_EQ(read_back("FILM.TXT"), u"1,Alien\r\n2,Brazil\r\n");

  // film.dat cut short under the index: the second record (slot 1) cannot be read.
  std::filesystem::resize_file(folder_ / "film.dat", records::FilmRecord::kSize + 10);
  op_.messages.clear();
  run(range(1, 2), u"FILM.TXT", only({1, 2}));
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: film.dat, not present."));
  EXPECT_FALSE(op_.saw("File export", "Complete."));
  EXPECT_EQ(bytes_of("FILM.TXT"), good);
  EXPECT_EQ(::leftover_temporaries(folder_), 0);

  // film.dat gone altogether.
  std::filesystem::remove(folder_ / "film.dat");
  op_.messages.clear();
  run(range(1, 2), u"FILM.TXT", only({1, 2}));
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: film.dat, not present."));
  EXPECT_EQ(bytes_of("FILM.TXT"), good);
}

TEST_F(ExportTest, MemberFileMissingIsReportedAsSuch) {
  add(member(1, u"Smith"));
  std::filesystem::remove(folder_ / "member.dat");
  run(range(1, 2, ExportRecords::Members), u"MEMBER.TXT");
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: member.dat, not present."));
  EXPECT_FALSE(exists("MEMBER.TXT"));
}

TEST_F(ExportTest, RefusesToWriteOverTheShopsOwnDataFiles) {
  add(film(1, u"Alien"));
  const std::string film_dat = bytes_of("film.dat");
  const std::string config = bytes_of("wr.cfg");
  run(range(1, 2), u"film.dat", only({1, 2}));
  EXPECT_TRUE(op_.saw("Problem", "Unable to open file."));
  run(range(1, 2), (folder_ / "wr.cfg").u16string(), only({1, 2}));
  EXPECT_EQ(bytes_of("film.dat"), film_dat);
  EXPECT_EQ(bytes_of("wr.cfg"), config);
  EXPECT_FALSE(op_.saw("File export", "Complete."));
}

TEST_F(ExportTest, AFolderThatCannotBeWrittenGivesUnableToOpenFile) {
  add(film(1, u"Alien"));
  run(range(1, 2), u"no-such-folder/FILM.TXT", only({1}));
  EXPECT_TRUE(op_.saw("Problem", "Unable to open file."));
  if (::geteuid() != 0) {
    std::filesystem::create_directory(folder_ / "locked");
    std::filesystem::permissions(folder_ / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    op_.messages.clear();
    run(range(1, 2), u"locked/FILM.TXT", only({1}));
    EXPECT_TRUE(op_.saw("Problem", "Unable to open file."));
    std::filesystem::permissions(folder_ / "locked", std::filesystem::perms::owner_all);
  }
}

}  // namespace
}  // namespace kelvo::exchange
