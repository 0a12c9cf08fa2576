#include "catalogue/film_display.h"

#include <gtest/gtest.h>

#include "support/scripted_operator.h"

namespace kelvo::catalogue {
namespace {

using kelvo::testing::at;

TEST(LongDate, ConvertsOnlyAWholePlausibleStamp) {
  platform::EnglishLocale english;
  EXPECT_EQ(long_date(english, u"14:0507/12/2026"), u"Mon 7 Dec 26");
  EXPECT_EQ(long_date(english, u"00:0029/02/2028"), u"Tue 29 Feb 28");
  // 13 characters or fewer never convert, even when they hold a readable date.
  EXPECT_EQ(long_date(english, u"14:0507/12/26"), std::nullopt);
  EXPECT_EQ(long_date(english, u""), std::nullopt);
  EXPECT_EQ(long_date(english, u"14:0532/12/2026"), std::nullopt);
  EXPECT_EQ(long_date(english, u"14:0507/13/2026"), std::nullopt);
  EXPECT_EQ(long_date(english, u"14:0507/00/2026"), std::nullopt);
  EXPECT_EQ(long_date(english, u"14:0507/12/1899"), std::nullopt);
  EXPECT_EQ(long_date(english, u"ab:cdef/gh/ijkl"), std::nullopt);
}

TEST(LongDate, LastRentalFallsBackToTheStoredDate) {
  platform::EnglishLocale english;
  EXPECT_EQ(shown_last_hire(english, u"09:3001/11/2026"), u"09:30 Sun 1 Nov 26");
  EXPECT_EQ(shown_last_hire(english, u"09:3001/13/2026"), u"09:30  01/13/2026");
  EXPECT_EQ(shown_last_hire(english, u"09:3001/11/26"), u"09:30  01/11/26");
  EXPECT_EQ(shown_last_hire(english, u""), u"");
  EXPECT_EQ(shown_last_hire(english, u"09:30"), u"09:30");
}

TEST(FilmDisplayLines, LabelsFromTheTableAndTheRentalFigures) {
  records::ConfigBlock config;
  config.set_first_run_defaults(at(2026, 12, 7));
  platform::EnglishLocale english;
  records::FilmRecord f;
  f.set_number(1234);
  f.set_title(u"Alien");
  f.set_cost(12.5f);
  f.set_last_hire(u"10:0007/12/2026");
  f.set_hire_days_7(0b101);
  f.push_renter(11);
  f.push_renter(22);
  f.push_renter(33);
  f.push_renter(44);
  f.set_on_loan_to(44);
  const auto lines = film_display_lines(config, english, f, at(2026, 12, 7, 14, 5));
  auto line = [&](std::string_view name) {
    for (const auto& l : lines)
      if (name == l.name) return l;
    ADD_FAILURE() << name;
    return DisplayLine{};
  };
  EXPECT_EQ(line("certificate").label, u"Rating / Cert");
  EXPECT_EQ(line("last_hire").label, u"Last rental");
  EXPECT_EQ(line("location").label, u"Location");
  EXPECT_EQ(line("number").value, u"1234");
  EXPECT_EQ(line("cost").value, u"12.50");
  EXPECT_EQ(line("on_loan_to").value, u"44");
  EXPECT_EQ(line("last_hire").value, u"10:00 Mon 7 Dec 26");
  // The three newest renters, newest first.
  EXPECT_EQ(line("renters").value, u"44  33  22");
  EXPECT_EQ(line("last_7").value, u"2");

  // A customised label shows on the screen.
  config.set_str(records::cfg::film_label(static_cast<int>(FilmLabel::Certificate)), records::cfg::kLabelWidth,
                 u"Age");
  EXPECT_EQ(film_display_lines(config, english, f, at(2026, 12, 7))[3].label, u"Age");
}

}  // namespace
}  // namespace kelvo::catalogue
