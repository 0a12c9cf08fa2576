// Reservations: the day records byte for byte after Add, Amend and Delete, the 199/200 limits,
// the list of days and the day's list.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "catalogue/catalogue_fixture.h"
#include "catalogue/reservations.h"
#include "records/file_io.h"
#include "records/reservation_file.h"
#include "reports/list_fixture.h"
#include "text/coding.h"

namespace kelvo::cattest {
namespace {

using catalogue::ReservationAdd;
constexpr size_t kDay = 29092;

// The Add screen driven by a script: each step acts on the model as a button would.
class ScriptedReservationScreen : public catalogue::ReservationScreens {
 public:
  std::function<void(ReservationAdd&)> script;
  int shown = 0;
  void add_reservations(ReservationAdd& model) override {
    ++shown;
    if (script) script(model);
  }
};

// A day record built from the layout table, not from the program's accessors.
struct ExpectedDay {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(kDay, 0);
  explicit ExpectedDay(int n) { text::put_i32(&bytes[0], n); }
  ExpectedDay& entry(int i, std::u16string member, std::u16string item) {
    text::put_i32(&bytes[4 + 4 * i], 2);
    text::put_text(&bytes[812 + 60 * i], 60, member);
    text::put_text(&bytes[12932 + 80 * i], 80, item);
    return *this;
  }
  ExpectedDay& count(int c) {
    text::put_i32(&bytes[804], c);
    return *this;
  }
};

class ReservationTest : public CatalogueTest {
 protected:
  std::vector<uint8_t> file() const { return *records::read_whole(shop_.path(records::files::kReservations)); }
  std::vector<uint8_t> day(int n) const {
    auto f = file();
    return std::vector<uint8_t>(f.begin() + n * kDay, f.begin() + (n + 1) * kDay);
  }
  // Stores each (member, item) through the Add screen of day n ("Next" each time).
  void add(int n, std::vector<std::pair<std::u16string, std::u16string>> entries) {
    op_.choices.push_back(n);
    screen_.script = [entries](ReservationAdd& m) {
      for (const auto& [member, item] : entries) {
        m.member = member;
        m.item = item;
        m.store();
      }
    };
    catalogue::add_reservation(shop_, views_, screen_, false);
  }
  void given_full_day(int n, int entries) {
    catalogue::ReservationDay d;
    d.set_day_index(n);
    for (int i = 0; i < entries; ++i) {
      d.set_state(i, 2);
      d.set_member(i, u"M");
    }
    d.set_count(entries);
    ASSERT_TRUE(catalogue::write_reservation_day(shop_, d));
  }

  ScriptedReservationScreen screen_;
};

TEST_F(ReservationTest, AddWritesOnlyItsDayRecord) {
  const auto before = file();
  add(3, {{u"12, Ann Smith", u"Jaws"}, {u"", u""}, {u"A very long member text of 35 chars", u"Jaws 2"}});
  ExpectedDay expected(3);
  expected.entry(0, u"12, Ann Smith", u"Jaws").entry(1, u"", u"").entry(2, u"A very long member text of 3", u"Jaws 2");
  expected.count(3);
  EXPECT_EQ(day(3), expected.bytes);
  auto after = file();
  std::memcpy(&after[3 * kDay], &before[3 * kDay], kDay);
  EXPECT_EQ(after, before);
}

TEST_F(ReservationTest, AddTodayNeedsNoDayAndListsTheDaysEntries) {
  add(0, {{u"Brown", u"Alien"}});
  op_.choices.clear();
  screen_.script = [](ReservationAdd& m) {
    EXPECT_EQ(text::to_utf8(m.date_line()), "Mon 7 Dec 26");
    EXPECT_EQ(m.member_lines(), std::vector<std::u16string>{u"Brown (item: Alien)"});
    EXPECT_EQ(m.item_lines(), std::vector<std::u16string>{u"Alien (by: Brown)"});
  };
  catalogue::add_reservation(shop_, views_, screen_, true);
  EXPECT_EQ(screen_.shown, 2);
  EXPECT_TRUE(op_.lists.size() == 1);  // only the first Add chose a day
}

TEST_F(ReservationTest, AddKeepsAtMost199EntriesOfADay) {
  struct Case {
    int on_file;
    bool screen_shown;
    int count_after;
  };
  const Case cases[] = {{198, true, 199}, {199, true, 199}, {200, false, 200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.on_file);
    given_full_day(5, c.on_file);
    reset_output();
    screen_.shown = 0;
    const auto before = day(5);
    add(5, {{u"X", u"Y"}});
    EXPECT_EQ(screen_.shown, c.screen_shown ? 1 : 0);
    EXPECT_EQ(text::get_i32(&day(5)[804]), c.count_after);
    EXPECT_EQ(op_.saw("Reservations", "Total reached"), c.count_after == c.on_file);
    if (c.count_after == c.on_file) {
      EXPECT_EQ(day(5), before);
    }
  }
}

TEST_F(ReservationTest, AmendChecksTheLengthAndWritesTheDay) {
  add(2, {{u"Ann", u"Jaws"}, {u"Bob", u"Alien"}});
  const std::u16string twenty_nine(29, u'x'), thirty(30, u'x');
  struct Case {
    std::u16string member, item;
    bool written;
  };
  const Case cases[] = {{thirty, u"Brazil", false}, {u"Carl", thirty, false}, {twenty_nine, u"Brazil", true}};
  for (const auto& c : cases) {
    reset_output();
    const auto before = day(2);
    op_.choices.push_back(2);  // the day
    op_.choices.push_back(1);  // the entry
    op_.type(c.member);
    if (c.member.size() <= 29) op_.type(c.item);
    catalogue::amend_reservation(shop_);
    if (!c.written) {
      EXPECT_TRUE(op_.saw("Input exceeds aloowed length", "30 characters"));
      EXPECT_EQ(day(2), before);
    }
  }
  EXPECT_TRUE(op_.saw("Reservations", "Updated"));
  ExpectedDay expected(2);
  expected.entry(0, u"Ann", u"Jaws").entry(1, twenty_nine, u"Brazil").count(2);
  EXPECT_EQ(day(2), expected.bytes);
  EXPECT_EQ(op_.lists.back(), (std::vector<std::string>{"Ann, Jaws", "Bob, Alien"}));
}

TEST_F(ReservationTest, DeleteClosesTheGap) {
  add(1, {{u"Ann", u"Jaws"}, {u"Bob", u"Alien"}, {u"Cy", u"Brazil"}});
  op_.choices.push_back(1);
  op_.choices.push_back(0);
  catalogue::delete_reservation(shop_);
  EXPECT_TRUE(op_.saw("Reservations", "Updated"));
  ExpectedDay expected(1);
  expected.entry(0, u"Bob", u"Alien").entry(1, u"Cy", u"Brazil").count(2);
  EXPECT_EQ(day(1), expected.bytes);
}

TEST_F(ReservationTest, ChoosingAnEntryNotInUse) {
  add(1, {{u"Ann", u"Jaws"}});
  op_.choices.push_back(1);
  op_.choices.push_back(1);
  catalogue::delete_reservation(shop_);
  EXPECT_TRUE(op_.saw("Amend Reservation", "No reservations held"));
}

TEST_F(ReservationTest, DaysShowTheirCountsAndAnEmptyDayEndsTheCommand) {
  add(1, {{u"Ann", u"Jaws"}, {u"Bob", u"Alien"}, {u"Cy", u"Brazil"}});
  op_.choices.push_back(0);
  catalogue::amend_reservation(shop_);
  EXPECT_TRUE(op_.saw("Reservations", "No reservations recorded."));
  const auto& days = op_.lists.back();
  ASSERT_EQ(days.size(), 28u);
  EXPECT_EQ(days[0], "Mon 7 Dec 26");
  EXPECT_EQ(days[1], "Tue 8 Dec 26 (3)");
  EXPECT_EQ(days[27], "Sun 3 Jan 27");
}

TEST_F(ReservationTest, ListAndPrintTheDay) {
  add(1, {{u"Ann", u"Jaws"}, {u"Bob", u"Alien"}});
  listtest::ScriptedListScreens screens(views_);
  op_.choices.push_back(1);
  catalogue::list_reservations(shop_, screens);
  ASSERT_EQ(views_.list_titles, std::vector<std::string>{"Reservations: Tuesday 8/12/2026  Total: 2"});
  EXPECT_EQ(text::to_utf8(views_.pages[0][1][1]), "Alien");
  op_.choices.push_back(1);
  catalogue::print_reservations(shop_, screens);
  auto texts = screens.printer_.texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(text::to_utf8(texts[0]),
            "TARKWELL SYSTEM Reservations: Tuesday 8/12/2026  Total: 2  December 7 2026  Page: 1");
  EXPECT_EQ(text::to_utf8(texts[1]), "Ann                             Jaws");
  EXPECT_EQ(text::to_utf8(texts[3]), "End output.");
}

}  // namespace
}  // namespace kelvo::cattest
