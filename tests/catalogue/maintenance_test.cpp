// The film and member commands driven through scripted screens: new items with "&Next" and
// "&Multiple", refusals and the retry layout, slot reuse, amend and delete with their log
// entries, new members with fees and expiry, prune and multicopy analysis.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "catalogue/film_maintenance.h"
#include "catalogue/member_maintenance.h"
#include "catalogue/multicopy.h"
#include "catalogue_fixture.h"
#include "records/access.h"
#include "records/file_io.h"

using namespace kelvo;
using namespace kelvo::catalogue;
using kelvo::cattest::CatalogueTest;
using kelvo::cattest::film;
using kelvo::cattest::member;
using platform::Answer;

namespace {

// Each step edits the form it is shown and names the button pressed.
template <class Form, class Base>
class ScriptedForm : public Base {
 public:
  using Step = std::function<FormButton(Form&)>;
  std::deque<Step> steps;
  std::vector<Form> seen;
  FormButton edit(Form& form) override {
    seen.push_back(form);
    if (steps.empty()) return FormButton::Cancel;
    auto s = steps.front();
    steps.pop_front();
    return s(form);
  }
};
using FilmScreen = ScriptedForm<FilmForm, FilmFormView>;
using MemberScreen = ScriptedForm<MemberForm, MemberFormView>;

FilmScreen::Step item(std::u16string title, FormButton button, std::u16string band = u"1") {
  return [=](FilmForm& f) {
    f.set(FilmField::Title, title);
    f.set(FilmField::ChargeBand, band);
    return button;
  };
}

class FilmFlows : public CatalogueTest {};

TEST_F(FilmFlows, NextAndMultipleStoreWithFreshProposals) {
  shop_.config.set_i64(records::cfg::kFormat1Start, 99);
  FilmScreen screen;
  screen.steps = {item(u"Alien", FormButton::Next), [](FilmForm& f) {
                    f.set(FilmField::Title, u"Heat");
                    f.set(FilmField::Director, u"Mann");
                    f.set(FilmField::Cost, u"12.5");
                    return FormButton::Multiple;
                  },
                  [](FilmForm& f) { return FormButton::Ok; }};
  EXPECT_EQ(new_items(shop_, screen, FilmRange::Format1), 3);
  ASSERT_EQ(screen.seen.size(), 3u);
  const FilmForm& first = screen.seen[0];
  EXPECT_EQ(first.window_title(), u"NEW ITEM");
  EXPECT_EQ(first.get(FilmField::Number), u"100");
  EXPECT_EQ(first.get(FilmField::Format), u"DVD");
  EXPECT_EQ(first.get(FilmField::Rentals), u"None");
  EXPECT_EQ(first.get(FilmField::Language), u"English");
  EXPECT_EQ(first.purchased, (DateChoice{7, 12, 2026}));
  EXPECT_EQ(screen.seen[1].get(FilmField::Number), u"101");
  const FilmForm& copy = screen.seen[2];
  EXPECT_EQ(copy.layout(), FormLayout::Copy);
  EXPECT_EQ(copy.get(FilmField::Number), u"102");
  EXPECT_EQ(copy.get(FilmField::Title), u"Heat");
  EXPECT_EQ(copy.get(FilmField::Director), u"Mann");

  records::FilmRecord back;
  ASSERT_TRUE(records::read_film(shop_, 102, back));
  EXPECT_EQ(back.title(), u"Heat");
  EXPECT_FLOAT_EQ(back.cost(), 12.5f);
  EXPECT_EQ(back.date_added(), u"07/12/2026");
  EXPECT_EQ(back.rentals(), 0);
  EXPECT_EQ(back.format(), u"DVD");
}

TEST_F(FilmFlows, RefusalsComeInOrderAndTheScreenReturnsWithTheTyping) {
  FilmScreen screen;
  screen.steps = {
      [](FilmForm& f) {
        f.set(FilmField::Number, u"100000000000000001");
        f.set(FilmField::Title, u"X");
        f.set(FilmField::ChargeBand, u"9");
        return FormButton::Next;
      },
      [](FilmForm& f) {
        f.set(FilmField::Number, u"100000000000000000");
        return FormButton::Ok;
      },
      [](FilmForm& f) {
        f.set(FilmField::Title, u"Xanadu");
        return FormButton::Ok;
      },
      [](FilmForm& f) {
        f.set(FilmField::ChargeBand, u"8");
        return FormButton::Ok;
      }};
  EXPECT_EQ(new_items(shop_, screen, FilmRange::Format1), 1);
  ASSERT_EQ(op_.messages.size(), 3u);
  EXPECT_EQ(op_.messages[0].body, "Number outside range.");
  EXPECT_EQ(op_.messages[1].body, "The title must have at least two characters.");
  EXPECT_EQ(op_.messages[2].body, "Invalid charge band (1-8)");
  EXPECT_EQ(op_.warnings, 3);
  const FilmForm& retry = screen.seen[1];
  EXPECT_EQ(retry.window_title(), u"Amend film");
  EXPECT_FALSE(retry.offers_next_and_multiple());
  EXPECT_TRUE(retry.number_editable());
  EXPECT_EQ(retry.get(FilmField::Title), u"X") << "what was typed stays";
  EXPECT_EQ(screen.seen.size(), 4u) << "after a retry the command ends, Next is gone";
  EXPECT_TRUE(shop_.films.index().contains(100000000000000000LL));
}

TEST_F(FilmFlows, NumberInUseEndsTheCommand) {
  given_films({film(5, u"Up")});
  FilmScreen screen;
  screen.steps = {[](FilmForm& f) {
    f.set(FilmField::Number, u"5");
    f.set(FilmField::Title, u"Down");
    return FormButton::Next;
  }};
  EXPECT_EQ(new_items(shop_, screen, FilmRange::Format1), 0);
  EXPECT_TRUE(op_.saw("Problem", "Number in use."));
  EXPECT_EQ(screen.seen.size(), 1u);
}

TEST_F(FilmFlows, InhibitedStartLeavesTheNumberEmptyAndFocused) {
  shop_.config.set_i64(records::cfg::kInhibitFilmStart, 2);
  auto form = FilmForm::blank(shop_, FilmRange::Format2);
  EXPECT_EQ(form.get(FilmField::Number), u"");
  EXPECT_TRUE(form.number_focused());
  EXPECT_EQ(form.get(FilmField::Format), u"PLA");
}

TEST_F(FilmFlows, DeletedSlotsAreReusedInDeletionOrder) {
  given_films({film(1, u"One"), film(2, u"Two"), film(3, u"Three")});
  const auto size = *records::file_size(shop_.path(records::files::kFilm));
  const auto slot_of = [&](int64_t n) { return *shop_.films.index().find(n); };
  const int64_t slot3 = slot_of(3), slot1 = slot_of(1);
  for (const char16_t* n : {u"3", u"1"}) {
    op_.type(n);
    op_.reply({Answer::Ok});
    ASSERT_TRUE(delete_film_command(shop_, views_));
  }
  FilmScreen screen;
  screen.steps = {item(u"Four", FormButton::Next), item(u"Five", FormButton::Ok)};
  ASSERT_EQ(new_items(shop_, screen, FilmRange::Format1), 2);
  EXPECT_EQ(screen.seen[0].get(FilmField::Number), u"1");
  EXPECT_EQ(screen.seen[1].get(FilmField::Number), u"3");
  EXPECT_EQ(slot_of(1), slot3) << "the slot deleted first is reused first";
  EXPECT_EQ(slot_of(3), slot1);
  EXPECT_EQ(*records::file_size(shop_.path(records::files::kFilm)), size);
}

TEST_F(FilmFlows, DeleteAsksLogsAndReports) {
  given_films({film(42, u"Brazil")});
  change_film(42, [](records::FilmRecord& f) { f.set_last_hire(u"18:3001/12/2026"); });
  op_.type(u"42");
  op_.reply({Answer::Cancel});
  EXPECT_FALSE(delete_film_command(shop_, views_));
  EXPECT_TRUE(op_.saw("42 Title: Brazil Last: 01/12/2026", "Are you sure?"));
  EXPECT_TRUE(shop_.films.index().contains(42));

  op_.type(u"brazil");
  views_.match_choices = {MatchChoice::Select};
  op_.reply({Answer::Ok});
  ASSERT_TRUE(delete_film_command(shop_, views_));
  EXPECT_FALSE(shop_.films.index().contains(42));
  EXPECT_EQ(log_text(), "\r\nFilm 42, Brazil deleted.  Date: 14:05 07/12/2026\r\n");
  EXPECT_EQ(op_.activity_lines,
            (std::vector<std::string>{"Film deleted: 42 Brazil", "  ", "Film records: 1 (1 deleted)", "  "}));
}

TEST_F(FilmFlows, FilmOnLoanIsNotDeleted) {
  given_films({film(9, u"Jaws")});
  change_film(9, [](records::FilmRecord& f) { f.set_on_loan_to(3); });
  op_.type(u"9");
  EXPECT_FALSE(delete_film_command(shop_, views_));
  EXPECT_TRUE(op_.saw("Film is on loan", "Unable to delete"));
  EXPECT_TRUE(shop_.films.index().contains(9));
}

TEST_F(FilmFlows, AmendKeepsTheNumberAndUpdatesThePrefix) {
  given_films({film(7, u"Alien")});
  FilmScreen screen;
  screen.steps = {[](FilmForm& f) {
    f.set(FilmField::Title, u"Aliens");
    f.set(FilmField::Rentals, u"12");
    f.last_rental = {3, 12, 2026};
    return FormButton::Ok;
  }};
  op_.type(u"7");
  ASSERT_TRUE(amend_film(shop_, views_, screen));
  EXPECT_EQ(screen.seen[0].layout(), FormLayout::Amend);
  EXPECT_FALSE(screen.seen[0].number_editable());
  records::FilmRecord back;
  ASSERT_TRUE(records::read_film(shop_, 7, back));
  EXPECT_EQ(back.title(), u"Aliens");
  EXPECT_EQ(back.rentals(), 12) << "rental fields are stored as typed";
  EXPECT_EQ(back.last_hire(), u"00:0003/12/2026");
  EXPECT_EQ(op_.activity_lines, (std::vector<std::string>{"Film 7 Aliens amended", "  "}));

  screen.steps = {[](FilmForm& f) {
    f.set(FilmField::ChargeBand, u"0");
    return FormButton::Ok;
  }};
  op_.type(u"7");
  EXPECT_FALSE(amend_film(shop_, views_, screen));
  EXPECT_TRUE(op_.saw("Problem", "Invalid charge band (1-8)"));
  screen.steps = {[](FilmForm& f) {
    f.set(FilmField::Number, u"8");
    return FormButton::Ok;
  }};
  op_.type(u"7");
  EXPECT_FALSE(amend_film(shop_, views_, screen));
  EXPECT_TRUE(op_.saw("Problem", "Number cannot be changed"));
}

TEST_F(FilmFlows, FailedWriteLeavesIndexPrefixesAndCountsAlone) {
  given_films({film(1, u"One")});
  const auto counts = shop_.films.counts();
  const auto entries = shop_.films.index().entries();
  const auto prefixes = shop_.films.prefixes();
  std::filesystem::remove(shop_.path(records::files::kFilm));
  FilmScreen screen;
  screen.steps = {item(u"Two", FormButton::Next)};
  EXPECT_EQ(new_items(shop_, screen, FilmRange::Format1), 0);
  EXPECT_TRUE(op_.saw("Fatal error", "Data file: film.dat, not present."));
  EXPECT_EQ(shop_.films.counts().total, counts.total);
  EXPECT_EQ(shop_.films.counts().live, counts.live);
  EXPECT_EQ(shop_.films.index().entries(), entries);
  EXPECT_EQ(shop_.films.prefixes(), prefixes);
  EXPECT_EQ(screen.seen.size(), 1u);
}

TEST_F(FilmFlows, MulticopyAnalysisCountsEveryCopyOfTheTitle) {
  given_films({film(1, u"Heat"), film(2, u"Heat"), film(3, u"Heat"), film(4, u"heat")});
  change_film(1, [](records::FilmRecord& f) {
    f.set_last_hire(u"10:0007/12/2026");
    f.set_hire_days_7(0b0000101);  // today and two days before
  });
  change_film(2, [](records::FilmRecord& f) {
    f.set_last_hire(u"10:0001/01/2020");
    f.set_hire_days_7(0b1);  // long ago: nothing in the last week
  });
  change_film(4, [](records::FilmRecord& f) {
    f.set_last_hire(u"10:0007/12/2026");
    f.set_hire_days_7(0b1111111);
  });
  auto r = analyse_copies(shop_, [&] {
    records::FilmRecord f;
    records::read_film(shop_, 1, f);
    return f;
  }());
  EXPECT_EQ(r.copies, 3);
  EXPECT_EQ(r.title_line, u"Heat (3 copies)");
  EXPECT_EQ(r.last_7, u"2 (10%)");
  EXPECT_EQ(r.last_30, u"0 (0%)") << "hire_days_30 was never set";
}

TEST(RentalDays, OlderBitsDropOutAsTheLastRentalAges) {
  records::FilmRecord f;
  f.set_last_hire(u"10:0004/12/2026");  // three days before the fixed today
  f.set_hire_days_7(0b1111111);
  f.set_hire_days_30(0xFFFFFFFFu);
  const auto now = kelvo::testing::at(2026, 12, 7);
  EXPECT_EQ(rentals_last_7_days(f, now), 4);
  EXPECT_EQ(rentals_last_30_days(f, now), 27);
}

// --- Members --------------------------------------------------------------------------------

MemberScreen::Step person(std::u16string name, FormButton button, std::u16string fee = u"0.00") {
  return [=](MemberForm& f) {
    f.set(MemberField::Name, name);
    f.set(MemberField::MembershipFee, fee);
    return button;
  };
}

class MemberFlows : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    shop_.config.set_i64(records::cfg::kNewSearches, 0);
  }
};

TEST_F(MemberFlows, AddProposesStoresAndTakesTheFee) {
  given_members({member(1, u"Able"), member(2, u"Baker")});
  MemberScreen screen;
  screen.steps = {person(u"Carter", FormButton::Next, u"5.00"), person(u"Dunn", FormButton::Ok)};
  EXPECT_EQ(add_members(shop_, views_, screen, MemberAddKind::Plain), 2);
  EXPECT_EQ(screen.seen[0].get(MemberField::Number), u"3");
  EXPECT_EQ(screen.seen[1].get(MemberField::Number), u"4");
  EXPECT_EQ(screen.seen[0].window_title(), u"NEW MEMBER");
  EXPECT_EQ(screen.seen[0].category, 1);
  EXPECT_EQ(screen.seen[0].join, (DateChoice{7, 12, 2026}));
  EXPECT_EQ(screen.seen[0].expiry, DateChoice{});
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 5.0f);
  EXPECT_FLOAT_EQ(shop_.config.f32(records::cfg::kMembershipTakingsToday), 5.0f);
  EXPECT_EQ(shop_.config.i64(records::cfg::kNewMembersToday), 2);
  EXPECT_EQ(log_text(), "\r\n14:05 07/12/2026  New member 3\r\nFee paid: 5.00\r\n") << "no entry for a fee of 0";
  EXPECT_EQ(op_.messages.size(), 2u);
  EXPECT_TRUE(op_.saw("New member", "Store record?"));
  records::MemberRecord back;
  ASSERT_TRUE(records::read_member(shop_, 4, back));
  EXPECT_EQ(back.last_used(), u"NEW");
  EXPECT_EQ(back.join_date(), u"07/12/2026");
}

TEST_F(MemberFlows, ExpiryVariantsPresetTheLists) {
  auto f30 = MemberForm::blank(shop_, MemberAddKind::Expiry30);
  auto f90 = MemberForm::blank(shop_, MemberAddKind::Expiry90);
  EXPECT_EQ(f30.expiry, (DateChoice{6, 1, 2027}));
  EXPECT_EQ(f90.expiry, (DateChoice{7, 3, 2027}));
  records::MemberRecord m;
  f30.set(MemberField::Name, u"Xu");
  f30.store_into(m);
  EXPECT_EQ(m.expiry(), u"06/01/2027");
}

TEST_F(MemberFlows, NegativeFeeStoresNothing) {
  MemberScreen screen;
  screen.steps = {person(u"Carter", FormButton::Ok, u"-1")};
  EXPECT_EQ(add_members(shop_, views_, screen, MemberAddKind::Plain), 0);
  EXPECT_TRUE(op_.saw("Problem", "Invalid membership fee"));
  EXPECT_EQ(shop_.members.counts().live, 0);
  EXPECT_EQ(log_text(), "");
}

TEST_F(MemberFlows, RefusedMemberReturnsAndKeepsTheFee) {
  MemberScreen screen;
  screen.steps = {[](MemberForm& f) {
                    f.set(MemberField::Name, u"Carter");
                    f.set(MemberField::MembershipFee, u"3.50");
                    f.category = 4001;
                    return FormButton::Next;
                  },
                  [](MemberForm& f) {
                    f.category = 4000;
                    return FormButton::Ok;
                  }};
  EXPECT_EQ(add_members(shop_, views_, screen, MemberAddKind::Plain), 1);
  EXPECT_TRUE(op_.saw("Problem", "Invalid category (1-4000)"));
  const MemberForm& retry = screen.seen[1];
  EXPECT_EQ(retry.window_title(), u"Amend member");
  EXPECT_FALSE(retry.offers_next());
  EXPECT_TRUE(retry.shows_fee());
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 3.5f) << "the fee taken is not lost";
  EXPECT_EQ(screen.seen.size(), 2u);
}

TEST_F(MemberFlows, NewSearchesShowTheListsBeforeStoring) {
  given_members({member(1, u"Carterton", u"", u"1 Mill Lane")});
  shop_.config.set_i64(records::cfg::kNewSearches, 1);
  MemberScreen screen;
  screen.steps = {[](MemberForm& f) {
    f.set(MemberField::Name, u"carter");
    f.set(MemberField::Road, u"1 mill lane");
    return FormButton::Ok;
  }};
  op_.reply({Answer::Cancel});
  EXPECT_EQ(add_members(shop_, views_, screen, MemberAddKind::Plain), 0);
  EXPECT_EQ(views_.list_titles,
            (std::vector<std::string>{"New member search: name", "New member search: address"}));
  EXPECT_EQ(shop_.members.counts().live, 1);
}

// Deleting a film or member, amending a member or adding one with a fee writes the record, its
// log entry and the day's figures as one transaction: refused (the journal cannot be made),
// nothing on disk or in memory changes; then it goes through whole.
TEST_F(MemberFlows, RecordAndLogEntryLandTogetherOrNotAtAll) {
  given_films({film(42, u"Brazil")});
  given_members({member(8, u"Gone")});
  MemberScreen renaming;
  struct Case {
    const char* what;
    std::function<bool()> run;
    std::function<bool()> done;  // the change as memory sees it
    const char* log_start;
  };
  const std::vector<Case> cases = {
      {"film delete",
       [&] {
         op_.type(u"42");
         op_.reply({Answer::Ok});
         return delete_film_command(shop_, views_);
       },
       [&] { return !shop_.films.index().contains(42); }, "\r\nFilm 42, Brazil deleted."},
      {"member amend",
       [&] {
         renaming.steps = {[](MemberForm& f) {
           f.set(MemberField::Name, u"Went");
           return FormButton::Ok;
         }};
         op_.type(u"8");
         return amend_member(shop_, views_, renaming);
       },
       [&] { return shop_.members.prefixes()[*shop_.members.index().find(8)] == records::Prefix{u'W', u'e'}; },
       "\r\n14:05 07/12/2026  Member 8 amended:"},
      {"member delete",
       [&] {
         op_.type(u"8");
         op_.reply({Answer::Ok});
         return delete_member_command(shop_, views_);
       },
       [&] { return !shop_.members.index().contains(8); }, "\r\n14:05 7/12/2026 Member 8, Went deleted."},
      {"new member with a fee",
       [&] {
         MemberScreen adding;
         adding.steps = {person(u"Carter", FormButton::Ok, u"5.00")};
         op_.reply({Answer::Ok});
         return add_members(shop_, views_, adding, MemberAddKind::Plain) == 1;
       },
       [&] { return shop_.members.counts().live == 1 && shop_.config.takings_today() == 5.0f; },
       "\r\n14:05 07/12/2026  New member "},
  };
  const auto journal = shop_.path(records::kJournalFile);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto films = records::read_whole(shop_.path(records::files::kFilm));
    const auto members = records::read_whole(shop_.path(records::files::kMember));
    const auto film_counts = shop_.films.counts(), member_counts = shop_.members.counts();
    const auto config = records::read_whole(shop_.path(records::files::kConfig));
    std::filesystem::remove(journal);
    std::filesystem::create_directory(journal);
    EXPECT_FALSE(c.run());
    EXPECT_FALSE(c.done());
    EXPECT_EQ(records::read_whole(shop_.path(records::files::kFilm)), films);
    EXPECT_EQ(records::read_whole(shop_.path(records::files::kMember)), members);
    EXPECT_EQ(log_text(), "");
    EXPECT_EQ(records::read_whole(shop_.path(records::files::kConfig)), config);
    EXPECT_EQ(shop_.films.counts().live, film_counts.live);
    EXPECT_EQ(shop_.members.counts().live, member_counts.live);

    std::filesystem::remove(journal);
    EXPECT_TRUE(c.run());
    EXPECT_TRUE(c.done());
    EXPECT_EQ(log_text().rfind(c.log_start, 0), 0u) << log_text();
    std::filesystem::remove(shop_.path(records::files::kLog));
  }
}

TEST_F(MemberFlows, AmendmentEntryHoldsBeforeAndAfter) {
  auto m = member(5, u"Smith", u"John", u"1 High St");
  m.set_title(u"Mr");
  m.set_area(u"Town");
  m.set_town(u"NY");
  m.set_post_code(u"10001");
  m.set_telephone1(u"555");
  m.set_comment1(u"ok");
  m.set_credit_card(u"visa");
  m.set_rented(12);
  m.set_rental_credits(2);
  given_members({m});
  MemberScreen screen;
  screen.steps = {[](MemberForm& f) {
    f.set(MemberField::Name, u"Smyth");
    f.set(MemberField::RentalCredits, u"3");
    f.category = 2;
    return FormButton::Ok;
  }};
  op_.type(u"5");
  ASSERT_TRUE(amend_member(shop_, views_, screen));
  EXPECT_EQ(log_text(),
            "\r\n14:05 07/12/2026  Member 5 amended:"
            "\r\nBefore: Mr John Smith\r\n1 High St, Town\r\nNY, 10001\r\nTel: 555, Category: 1\r\nComment: ok"
            "\r\nCredit card: visa, Films rented: 12\r\nRental credits: 2\r\n"
            "\r\n\r\nAfter: Mr John Smyth\r\n1 High St, Town\r\nNY, 10001\r\nTel: 555, Category: 2\r\nComment: ok"
            "\r\nCredit card: visa, Films rented: 12\r\n\r\nRental credits: 3\r\n");
  EXPECT_EQ(op_.activity_lines, (std::vector<std::string>{"Member 5 Mr Smyth amended", "  "}));
  EXPECT_EQ(shop_.members.prefixes()[*shop_.members.index().find(5)], (records::Prefix{u'S', u'm'}));
}

TEST_F(MemberFlows, HiddenRentalCreditsBoxKeepsTheStoredValue) {
  auto m = member(5, u"Smith");
  m.set_rental_credits(4);
  given_members({m});
  records::set_restricted(shop_.config, records::Flag::NoRentalCreditButton, true);
  shop_.config.set_i64(records::cfg::kSignedOnOperator, 7);
  MemberScreen screen;
  screen.steps = {[](MemberForm& f) {
    f.set(MemberField::RentalCredits, u"99");
    return FormButton::Ok;
  }};
  op_.type(u"5");
  ASSERT_TRUE(amend_member(shop_, views_, screen));
  EXPECT_FALSE(screen.seen[0].rental_credits_shown());
  records::MemberRecord back;
  ASSERT_TRUE(records::read_member(shop_, 5, back));
  EXPECT_EQ(back.rental_credits(), 4);
}

TEST_F(MemberFlows, DeleteLogsWithPlainDate) {
  given_members({member(8, u"Gone"), member(9, u"Busy")});
  op_.type(u"8");
  op_.reply({Answer::Ok});
  ASSERT_TRUE(delete_member_command(shop_, views_));
  EXPECT_EQ(log_text(), "\r\n14:05 7/12/2026 Member 8, Gone deleted.\r\n");
  EXPECT_EQ(op_.activity_lines.at(0), "Member deleted: 8 Gone");
  EXPECT_EQ(op_.activity_lines.at(2), "Member records: 2 (1 deleted)");

  records::MemberRecord busy;
  ASSERT_TRUE(records::read_member(shop_, 9, busy));
  busy.set_on_loan(0, 77);
  busy.refresh_on_loan_flag();
  ASSERT_TRUE(records::rewrite_member(shop_, busy));
  op_.type(u"9");
  EXPECT_FALSE(delete_member_command(shop_, views_));
  EXPECT_TRUE(op_.saw("Member is active", "Unable to delete"));
}

TEST_F(MemberFlows, PruneOffersTheUnseenAndSkipsTheOwingOnRequest) {
  clock_.set(kelvo::testing::at(2026, 3, 10));
  struct P { int64_t n; const char16_t* name; const char16_t* last_used; float owed; };
  const P people[] = {{1, u"Sept", u"10:0015/09/2025", 0},  {2, u"Oct", u"10:0015/10/2025", 0},
                      {3, u"Fresh", u"NEW", 0},             {4, u"Owes", u"10:0001/06/2024", 1.5f},
                      {5, u"Old", u"10:0001/06/2024", 0}};
  for (const auto& p : people) {
    auto m = member(p.n, p.name);
    ASSERT_TRUE(records::add_member(shop_, m));
    m.set_last_used(p.last_used);
    m.set_owed(p.owed);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
  reset_output();
  op_.type(u"1");
  op_.reply({Answer::Yes, Answer::Yes, Answer::No, Answer::Yes});
  EXPECT_EQ(prune_members(shop_), 2);
  std::vector<std::string> offered;
  for (const auto& m : op_.messages) offered.push_back(m.caption);
  EXPECT_EQ(offered, (std::vector<std::string>{"Prune members", "1 Name:   Sept", "3 Name:   Fresh", "5 Name:   Old"}));
  EXPECT_TRUE(op_.saw("1 Name:   Sept", "Last used: 15/09/2025 Owed: 0.00"));
  EXPECT_TRUE(op_.saw("3 Name:   Fresh", "Last used: NEW Owed: 0.00"));
  EXPECT_FALSE(shop_.members.index().contains(1));
  EXPECT_TRUE(shop_.members.index().contains(3));
  EXPECT_FALSE(shop_.members.index().contains(5));
  EXPECT_EQ(shop_.members.counts().live, 3);
  EXPECT_EQ(log_text(), "") << "prune writes no log entry";
}

}  // namespace
