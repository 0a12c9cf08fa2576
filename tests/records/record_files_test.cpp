// Adding, finding, rewriting and deleting films and members on a real shop folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <fstream>

#include "records/data_opening.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "support/scripted_operator.h"

using namespace kelvo;
using namespace kelvo::records;
using kelvo::testing::ShopTest;

namespace {

FilmRecord film(int64_t number, std::u16string title, int band = 1) {
  FilmRecord f;
  f.set_number(number);
  f.set_title(title);
  f.set_charge_band(band);
  return f;
}

MemberRecord member(int64_t number, std::u16string name, int category = 1) {
  MemberRecord m;
  m.set_number(number);
  m.set_name(name);
  m.set_category(category);
  return m;
}

class RecordFiles : public ShopTest {
 protected:
  void SetUp() override { ASSERT_TRUE(open_data(shop_)); }
  uint64_t film_file_size() { return *records::file_size(shop_.path(files::kFilm)); }
};

}  // namespace

TEST_F(RecordFiles, FirstFilmReusesTheDeletedSlotOfTheNewFile) {
  EXPECT_EQ(shop_.films.counts().total, 1);
  EXPECT_EQ(shop_.films.counts().deleted, 1);
  EXPECT_EQ(shop_.films.counts().live, 0);
  auto f = film(42, u"Alien");
  ASSERT_TRUE(add_film(shop_, f));
  EXPECT_EQ(shop_.films.index().find(42), 0);
  EXPECT_EQ(film_file_size(), 3040u);
  EXPECT_EQ(shop_.films.counts().deleted, 0);
  EXPECT_EQ(shop_.films.counts().live, 1);
  EXPECT_EQ(op_.activity_lines.at(0), "New film: 42 Alien");
  EXPECT_EQ(op_.activity_lines.at(2), "Film records: 1");
  EXPECT_EQ(shop_.films.prefixes()[0], (Prefix{u'A', u'l'}));

  auto g = film(7, u"Brazil");
  ASSERT_TRUE(add_film(shop_, g));
  EXPECT_EQ(shop_.films.index().find(7), 1) << "appended when no slot is free";
  EXPECT_EQ(film_file_size(), 2 * 3040u);
  FilmRecord back;
  ASSERT_TRUE(read_film(shop_, 7, back));
  EXPECT_EQ(back.title(), u"Brazil");
  EXPECT_EQ(back.on_loan_to(), 0);
}

TEST_F(RecordFiles, AddRefusesBadFilmsAndWritesNothing) {
  auto ok = film(1, u"Up");
  ASSERT_TRUE(add_film(shop_, ok));
  const auto before = *read_whole(shop_.path(files::kFilm));
  struct Case { FilmRecord f; const char* message; };
  const Case cases[] = {
      {film(0, u"Zero"), "Number outside range."},
      {film(-5, u"Neg"), "Number outside range."},
      {film(kMaxNumber + 1, u"Big"), "Number outside range."},
      {film(2, u"Band", 9), "Invalid charge band (1-8)"},
      {film(2, u"Band", 0), "Invalid charge band (1-8)"},
      {film(2, u"X"), "The title must have at least two characters."},
      {film(1, u"Again"), "Number in use."},
  };
  for (auto c : cases) {
    op_.messages.clear();
    EXPECT_FALSE(add_film(shop_, c.f));
    ASSERT_EQ(op_.messages.size(), 1u);
    EXPECT_EQ(op_.messages[0].caption, "Problem");
    EXPECT_EQ(op_.messages[0].body, c.message);
  }
  EXPECT_EQ(*read_whole(shop_.path(files::kFilm)), before);
  EXPECT_EQ(shop_.films.counts().live, 1);
  auto top = film(kMaxNumber, u"Top");
  EXPECT_TRUE(add_film(shop_, top));
}

TEST_F(RecordFiles, DeletedSlotIsReusedBeforeTheFileGrows) {
  for (int n = 1; n <= 3; ++n) {
    auto f = film(n * 10, u"Film");
    ASSERT_TRUE(add_film(shop_, f));
  }
  ASSERT_TRUE(delete_film(shop_, 20));
  EXPECT_FALSE(shop_.films.index().contains(20));
  EXPECT_EQ(shop_.films.counts().deleted, 1);
  FilmRecord raw;
  ASSERT_EQ(shop_.films.read_slot(1, raw), ReadResult::Ok);
  EXPECT_EQ(raw.number(), -1);
  EXPECT_EQ(raw.title(), u"");
  auto again = film(5, u"New");
  ASSERT_TRUE(add_film(shop_, again));
  EXPECT_EQ(shop_.films.index().find(5), 1);
  EXPECT_EQ(shop_.films.counts().total, 3);
}

TEST_F(RecordFiles, FilmOnLoanCannotBeDeleted) {
  auto f = film(3, u"Heat");
  ASSERT_TRUE(add_film(shop_, f));
  f.set_on_loan_to(8);
  ASSERT_TRUE(rewrite_film(shop_, f));
  EXPECT_FALSE(delete_film(shop_, 3));
  EXPECT_TRUE(op_.saw("Film is on loan", "Unable to delete"));
  EXPECT_TRUE(shop_.films.index().contains(3));
}

TEST_F(RecordFiles, RewriteOfUnknownNumberIsRefused) {
  auto f = film(77, u"Nowhere");
  EXPECT_FALSE(rewrite_film(shop_, f));
  EXPECT_TRUE(op_.saw("Problem", "Invalid number."));
}

TEST_F(RecordFiles, FailedAppendLeavesMemoryAndFileAsTheyWere) {
  auto first = film(1, u"One");
  ASSERT_TRUE(add_film(shop_, first));
  const auto index_before = shop_.films.index().entries();
  // A full disk: no file may grow beyond what film.dat holds now.
  const auto size = std::filesystem::file_size(shop_.path(files::kFilm));
  struct rlimit old_limit {};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  auto old_handler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit full = old_limit;
  full.rlim_cur = size;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
  auto second = film(2, u"Two");
  EXPECT_FALSE(add_film(shop_, second));
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  ::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(std::filesystem::file_size(shop_.path(files::kFilm)), size) << "the cut-off append is taken back";
  EXPECT_TRUE(op_.saw("Problem", "Not able to write to film.dat"));
  EXPECT_EQ(shop_.films.index().entries(), index_before);
  EXPECT_EQ(shop_.films.counts().total, 1);
  EXPECT_EQ(shop_.films.counts().live, 1);
}

TEST_F(RecordFiles, MemberChecksAndNewMemberDefaults) {
  struct Case { MemberRecord m; float fee; const char* message; };
  const Case cases[] = {
      {member(0, u"Smith"), 0, "Number outside range."},
      {member(5, u"S"), 0, "The name must have at least two characters."},
      {member(5, u"Smith", 0), 0, "Invalid category (1-4000)"},
      {member(5, u"Smith", 4001), 0, "Invalid category (1-4000)"},
      {member(5, u"Smith"), -1, "Invalid membership fee"},
  };
  for (auto c : cases) {
    op_.messages.clear();
    EXPECT_FALSE(add_member(shop_, c.m, c.fee));
    ASSERT_EQ(op_.messages.size(), 1u);
    EXPECT_EQ(op_.messages[0].body, c.message);
  }
  auto m = member(5, u"Smith", 4000);
  m.set_title(u"Ms");
  m.set_owed(12);
  m.set_on_loan(3, 99);
  m.set_previous_items(0, 4);
  ASSERT_TRUE(add_member(shop_, m));
  MemberRecord back;
  ASSERT_TRUE(read_member(shop_, 5, back));
  EXPECT_EQ(back.owed(), 0);
  EXPECT_EQ(back.last_used(), u"NEW");
  EXPECT_EQ(back.on_loan(3), 0);
  EXPECT_EQ(back.previous_items(0), 0);
  EXPECT_EQ(op_.activity_lines.at(0), "New member: 5 Ms Smith");
  auto twin = member(5, u"Jones");
  EXPECT_FALSE(add_member(shop_, twin));
  EXPECT_TRUE(op_.saw("Problem", "Number in use."));
}

TEST_F(RecordFiles, MemberDeletionAsksAndRefusesActiveMembers) {
  auto m = member(9, u"Brown");
  ASSERT_TRUE(add_member(shop_, m));
  m.set_on_loan(0, 1);
  m.set_on_loan_flag(2);
  ASSERT_TRUE(rewrite_member(shop_, m));
  EXPECT_FALSE(delete_member(shop_, 9));
  EXPECT_TRUE(op_.saw("Member is active", "Unable to delete"));

  m.set_on_loan(0, 0);
  m.set_on_loan_flag(0);
  ASSERT_TRUE(rewrite_member(shop_, m));
  op_.replies.push_back(platform::Answer::Cancel);
  EXPECT_FALSE(delete_member(shop_, 9));
  EXPECT_TRUE(op_.saw("9 Name: Brown", "Are you sure?"));
  EXPECT_TRUE(shop_.members.index().contains(9));
  EXPECT_TRUE(delete_member(shop_, 9));
  EXPECT_FALSE(shop_.members.index().contains(9));
  EXPECT_EQ(count_line("Member", shop_.members.counts()), u"Member records: 1 (1 deleted)");
}

TEST(RenterWindow, EleventhRenterPushesTheFirstOut) {
  FilmRecord f;
  for (int m = 1; m <= 11; ++m) f.push_renter(m);
  EXPECT_EQ(f.renter(0), 2);
  EXPECT_EQ(f.earlier_renters(0), 2);
  EXPECT_EQ(f.previous_to_last_rental_by(), 10);
  EXPECT_EQ(f.last_rental_by(), 11);
}

TEST(DayMaps, ShiftByTheDaysSinceTheLastRental) {
  FilmRecord f;
  f.mark_hire_day(40);
  EXPECT_EQ(f.hire_days_30(), 1u);
  EXPECT_EQ(f.hire_days_7(), 1);
  f.set_hire_days_30((1u << 0) | (1u << 5));
  f.set_hire_days_7((1u << 0) | (1u << 5));
  f.mark_hire_day(3);
  EXPECT_EQ(f.hire_days_30(), (1u << 0) | (1u << 3) | (1u << 8));
  EXPECT_EQ(f.hire_days_7(), (1u << 0) | (1u << 3));
  const auto before = f.hire_days_30();
  f.mark_hire_day(0);
  EXPECT_EQ(f.hire_days_30(), before);
  f.set_hire_days_30(1u << 29);
  f.mark_hire_day(1);
  EXPECT_EQ(f.hire_days_30(), 1u) << "bits pushed past 29 drop";
  f.set_hire_days_7(1);
  f.mark_hire_day(7);
  EXPECT_EQ(f.hire_days_7(), 1);
}

TEST(MemberHistory, HundredAndFirstReturnMovesTheOldestIntoOlderItems) {
  MemberRecord m;
  for (int item = 1; item <= 101; ++item) {
    m.set_on_loan(0, item);
    m.set_on_loan_rented(0, u"09:0001/12/2026");
    m.set_on_loan_flag(2);
    m.record_return(0, u"10:0002/12/2026");
  }
  EXPECT_EQ(m.older_items(99), 1);
  EXPECT_EQ(m.older_items(98), 0);
  EXPECT_EQ(m.previous_items(0), 2);
  EXPECT_EQ(m.previous_items(99), 101);
  EXPECT_EQ(m.previous_rented(99), u"09:0001/12/2026");
  EXPECT_EQ(m.previous_returned(99), u"10:0002/12/2026");
  EXPECT_EQ(m.on_loan_flag(), 0);
  EXPECT_EQ(m.last_returned(), u"10:0002/12/2026");
}

TEST(MemberLoans, HundredLoansLeaveNoFreeSlot) {
  MemberRecord m;
  for (int i = 0; i < 100; ++i) m.set_on_loan(i, i + 1);
  EXPECT_EQ(m.free_loan_slot(), -1);
  EXPECT_EQ(m.loan_slot_of(100), 99);
  m.refresh_on_loan_flag();
  EXPECT_EQ(m.on_loan_flag(), 2);
}
