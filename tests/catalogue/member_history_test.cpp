// Investigate, Transaction data and Lostcard.
#include <gtest/gtest.h>

#include "catalogue/catalogue_fixture.h"
#include "catalogue/member_history.h"
#include "records/commit.h"
#include "records/config_layout.h"
#include "records/journal.h"
#include "reports/list_fixture.h"

namespace kelvo::cattest {
namespace {

using platform::Answer;
using records::MemberRecord;

class MemberHistoryTest : public CatalogueTest {
 protected:
  template <class Change>
  void change_member(int64_t number, Change change) {
    MemberRecord m;
    ASSERT_TRUE(records::read_member(shop_, number, m));
    change(m);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
  MemberRecord stored(int64_t number) {
    MemberRecord m;
    EXPECT_TRUE(records::read_member(shop_, number, m));
    return m;
  }
  const catalogue::Investigation& investigate(std::u16string typed) {
    op_.type(std::move(typed));
    catalogue::investigate(shop_, views_, history_);
    EXPECT_FALSE(history_.investigations.empty());
    return history_.investigations.back();
  }

  listtest::ScriptedHistory history_;
};

TEST_F(MemberHistoryTest, TelephoneMatchesOnlyWhenTheOtherNumberBeginsWithIt) {
  given_members({member(1, u"Smith", u"Ann", u"1 High St"), member(2, u"Jones", u"Bob", u"2 Low Rd"),
                 member(3, u"Smith", u"Cy", u"2 Low Rd"), member(4, u"Ng")});
  change_member(1, [](MemberRecord& m) { m.set_telephone1(u"0114"); m.set_join_date(u"01/02/2020"); });
  change_member(2, [](MemberRecord& m) { m.set_telephone1(u"0114 2233"); m.set_join_date(u"01/02/2020"); });
  change_member(3, [](MemberRecord& m) { m.set_telephone1(u"20114"); });
  struct Case {
    const char16_t* typed;
    std::vector<std::string> telephone, name, road, joined;
  };
  const Case cases[] = {
      {u"1", {"2, Jones: 0114 2233"}, {"3, Smith: 2 Low Rd"}, {}, {"2, Jones: 01/02/2020"}},
      {u"2", {}, {}, {"3, Smith: 2 Low Rd"}, {"1, Smith: 01/02/2020"}},
      // An empty telephone matches nobody; an empty join date matches the others without one.
      {u"4", {}, {}, {}, {"3, Smith: "}},
  };
  auto utf8 = [](const std::vector<std::u16string>& v) {
    std::vector<std::string> out;
    for (const auto& s : v) out.push_back(text::to_utf8(s));
    return out;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(text::to_utf8(c.typed));
    const auto& found = investigate(c.typed);
    EXPECT_EQ(utf8(found.same_telephone), c.telephone);
    EXPECT_EQ(utf8(found.same_name), c.name);
    EXPECT_EQ(utf8(found.same_road), c.road);
    EXPECT_EQ(utf8(found.same_join_date), c.joined);
  }
  EXPECT_EQ(shop_.member.number(), 4);  // the investigated member stays the current one
}

TEST_F(MemberHistoryTest, RecentRentalsStopAtTheFirstEmptyEntry) {
  given_films({film(500, u"Alien"), film(501, u"Brazil")});
  given_members({member(1, u"Smith"), member(2, u"Jones")});
  change_member(1, [](MemberRecord& m) {
    m.set_previous_items(99, 500);
    m.set_previous_rented(99, u"10:0001/12/2026");
    m.set_previous_returned(99, u"11:0003/12/2026");
    m.set_previous_items(98, 777);  // no longer on file: an empty line
    m.set_previous_items(97, 501);
    m.set_older_items(99, 400);
  });
  change_member(2, [](MemberRecord& m) { m.set_previous_items(98, 500); });
  const auto& one = investigate(u"1").history;
  ASSERT_EQ(one.recent.size(), 3u);  // entry 96 is empty
  EXPECT_EQ(text::to_utf8(one.recent[0].item), "500 Alien");
  EXPECT_EQ(text::to_utf8(one.recent[0].rented), "01/12/2026");
  EXPECT_EQ(text::to_utf8(one.recent[0].returned), "03/12/2026");
  EXPECT_TRUE(one.recent[1].item.empty());
  EXPECT_EQ(text::to_utf8(one.recent[2].item), "501 Brazil");
  EXPECT_EQ(one.previous, (std::vector<std::u16string>{u"500", u"777", u"501", u"400"}));
  const auto& two = investigate(u"2").history;
  EXPECT_TRUE(two.recent.empty());
  EXPECT_EQ(two.previous, std::vector<std::u16string>{u"500"});
}

TEST_F(MemberHistoryTest, TransactionDataListsTheLoans) {
  given_films({film(500, u"Alien")});
  given_members({member(1, u"Smith"), member(2, u"Jones")});
  change_film(500, [](records::FilmRecord& f) {
    f.set_on_loan_to(1);
    f.set_last_hire(u"10:0001/12/2026");
    f.set_return_date(u"20:0004/12/2026");
  });
  change_member(1, [](MemberRecord& m) {
    m.set_on_loan(3, 500);
    m.refresh_on_loan_flag();
    m.set_transaction(u"4711");
    m.set_transaction_amount(3.5f);
  });
  op_.type(u"2");
  catalogue::transaction_data(shop_, views_, history_);
  EXPECT_TRUE(op_.saw("Problem", "No items on loan"));
  op_.type(u"1");
  catalogue::transaction_data(shop_, views_, history_);
  ASSERT_EQ(history_.transactions.size(), 1u);
  const auto& t = history_.transactions[0];
  EXPECT_EQ(text::to_utf8(t.title), "Transaction: 4711");
  EXPECT_EQ(text::to_utf8(t.transaction_amount), "3.50");
  EXPECT_EQ(t.on_loan, std::vector<std::u16string>{u"500, Alien    Tue 1 Dec 26    Fri 4 Dec 26"});
}

class LostCardTest : public MemberHistoryTest {
 protected:
  void SetUp() override {
    MemberHistoryTest::SetUp();
    given_members({member(1, u"Smith", u"Ann"), member(2, u"Jones")});
    change_member(1, [](MemberRecord& m) {
      m.set_owed(-4.5f);  // in credit
      m.set_rental_credits(3);
      m.set_previous_items(99, 500);
    });
  }
  void lose_card(int64_t number, Answer answer) {
    op_.type(text::format("%I64d", {number}));
    op_.reply({answer});
    catalogue::lost_card(shop_, views_);
  }
};

TEST_F(LostCardTest, NoOrCancelCreateNothing) {
  const auto count = shop_.members.counts();
  lose_card(1, Answer::Cancel);
  EXPECT_EQ(stored(1).category(), 1);
  lose_card(1, Answer::No);
  EXPECT_EQ(stored(1).category(), MemberRecord::kCardLost);
  EXPECT_EQ(stored(1).owed(), -4.5f);
  EXPECT_EQ(shop_.members.counts().live, count.live);
}

TEST_F(LostCardTest, AnActiveMemberIsStoppedButNotCopied) {
  change_member(2, [](MemberRecord& m) {
    m.set_on_loan(0, 500);
    m.refresh_on_loan_flag();
  });
  lose_card(2, Answer::Yes);
  EXPECT_TRUE(op_.saw("Member is active", "File cannot be copied"));
  EXPECT_EQ(stored(2).category(), MemberRecord::kCardLost);
  EXPECT_FALSE(shop_.members.index().contains(3));
}

TEST_F(LostCardTest, YesCopiesToTheFirstFreeNumberAndMovesTheBalance) {
  lose_card(1, Answer::Yes);
  EXPECT_TRUE(op_.saw("Card stopped. Record may still be listed.",
                      "New number: 3\r\nName:  Ann Smith\r\nBalance -4.50 and 3 rental credits moved to the new number."));
  const MemberRecord old_card = stored(1), copy = stored(3);
  EXPECT_EQ(old_card.category(), MemberRecord::kCardLost);
  EXPECT_EQ(old_card.owed(), 0.0f);
  EXPECT_EQ(old_card.rental_credits(), 0);
  EXPECT_EQ(copy.category(), 1);
  EXPECT_EQ(copy.owed(), -4.5f);
  EXPECT_EQ(copy.rental_credits(), 3);
  EXPECT_EQ(copy.previous_items(99), 500);
  EXPECT_EQ(text::to_utf8(copy.name()), "Smith");
  EXPECT_NE(log_text().find("Lost card 1 copied to 3, balance moved: -4.50, rental credits moved: 3"), std::string::npos);
  EXPECT_NE(std::find(op_.activity_lines.begin(), op_.activity_lines.end(), "New member: 3  Smith"),
            op_.activity_lines.end());
}

TEST_F(LostCardTest, ARefusedCommitLeavesTheBalanceOnTheStoppedCard) {
  // The journal cannot be created: the transaction is refused and nothing of it is written.
  std::filesystem::remove(shop_.path(records::kJournalFile));
  std::filesystem::create_directory(shop_.path(records::kJournalFile));
  const auto counts = shop_.members.counts();
  lose_card(1, Answer::Yes);
  const MemberRecord old_card = stored(1);
  EXPECT_EQ(old_card.category(), MemberRecord::kCardLost);  // written before the copy
  EXPECT_EQ(old_card.owed(), -4.5f);
  EXPECT_EQ(old_card.rental_credits(), 3);
  EXPECT_FALSE(shop_.members.index().contains(3));
  EXPECT_EQ(shop_.members.counts().live, counts.live);
  EXPECT_EQ(shop_.members.counts().total, counts.total);
  EXPECT_EQ(log_text().find("Lost card"), std::string::npos);
}

}  // namespace
}  // namespace kelvo::cattest
