#pragma once
// A shop with one member on file, the settlement screens answered from a script, and the day's
// money counters at hand.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/catalogue_fixture.h"
#include "catalogue/member_find.h"
#include "counter/payment.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::paytest {

namespace cfg = records::cfg;
using counter::AmountFigures;

template <class T>
T next(std::deque<T>& q, T fallback) {
  if (q.empty()) return fallback;
  T v = q.front();
  q.pop_front();
  return v;
}

class ScriptedScreens : public counter::ArrearsScreen,
                        public counter::MemberCreditScreen,
                        public counter::AmendOweScreen,
                        public counter::AmountScreen,
                        public counter::CashTenderedScreen,
                        public counter::ArrearsOverdueScreen,
                        public counter::TotalDueScreen,
                        public counter::Till {
 public:
  std::deque<std::optional<counter::ArrearsChoice>> arrears;
  std::deque<std::optional<counter::CreditChoice>> credit;
  std::deque<std::optional<counter::AmendChoice>> amend;
  std::deque<std::optional<float>> amounts;  // sub totals typed; nullopt: Cancel
  std::deque<counter::OverdueChoice> overdue;
  std::deque<std::optional<counter::TotalDueChoice>> total_due;

  std::vector<counter::ArrearsView> arrears_views;
  std::vector<counter::MemberCreditView> credit_views;
  std::vector<std::u16string> amount_titles;
  std::vector<counter::ArrearsOverdueView> overdue_views;
  std::vector<std::u16string> total_due_shown;
  std::vector<std::string> till;  // "drawer", "pole 5.00", "passive"
  int cash_tendered_shown = 0;
  std::vector<counter::CashTenderedModel> cash_models;
  const records::ConfigBlock* config = nullptr;

  std::optional<counter::ArrearsChoice> choose_arrears(const counter::ArrearsView& v) override {
    arrears_views.push_back(v);
    return next(arrears, std::optional<counter::ArrearsChoice>{});
  }
  std::optional<counter::CreditChoice> choose_credit(const counter::MemberCreditView& v) override {
    credit_views.push_back(v);
    return next(credit, std::optional<counter::CreditChoice>{});
  }
  std::optional<counter::AmendChoice> choose_amend(float) override {
    return next(amend, std::optional<counter::AmendChoice>{});
  }
  std::optional<AmountFigures> ask_amount(text::u16view title) override {
    amount_titles.emplace_back(title);
    auto typed = next(amounts, std::optional<float>{});
    if (!typed) return std::nullopt;
    counter::AmountModel model(*config);
    model.set_sub_total(text::format("%.2f", {*typed}));
    return model.figures();
  }
  void show_cash_tendered(counter::CashTenderedModel& m) override {
    ++cash_tendered_shown;
    cash_models.push_back(m);
  }
  counter::OverdueChoice choose_overdue(const counter::ArrearsOverdueView& v) override {
    overdue_views.push_back(v);
    return next(overdue, counter::OverdueChoice::Owed);
  }
  std::optional<counter::TotalDueChoice> choose_total_due(text::u16view total) override {
    total_due_shown.emplace_back(total);
    return next(total_due, std::optional<counter::TotalDueChoice>{});
  }
  void open_drawer() override { till.push_back("drawer"); }
  void pole_total(float x) override { till.push_back(text::to_utf8(text::format("pole %.2f", {x}))); }
  void pole_passive() override { till.push_back("passive"); }
};

// The day's money counters as one comparable value.
struct Counters {
  float takings = 0, arrears_paid = 0, arrears_written_off = 0;
  float late_charged = 0, late_owing = 0, late_written_off = 0, late_paid = 0;
  static Counters of(const records::ConfigBlock& c) {
    return {c.f32(cfg::kTakingsToday),   c.f32(cfg::kArrearsPaid),        c.f32(cfg::kArrearsWrittenOff),
            c.f32(cfg::kLateFeesTotal),  c.f32(cfg::kLateFeesOwing),      c.f32(cfg::kLateFeesWrittenOff),
            c.f32(cfg::kLateFeesPaid)};
  }
};
inline std::ostream& operator<<(std::ostream& os, const Counters& c) {
  return os << "takings " << c.takings << ", arrears paid " << c.arrears_paid << ", arrears w/o "
            << c.arrears_written_off << ", late charged " << c.late_charged << ", late owing " << c.late_owing
            << ", late w/o " << c.late_written_off << ", late paid " << c.late_paid;
}
inline bool operator==(const Counters& a, const Counters& b) {
  auto near = [](float x, float y) { return std::abs(x - y) < 0.0001f; };
  return near(a.takings, b.takings) && near(a.arrears_paid, b.arrears_paid) &&
         near(a.arrears_written_off, b.arrears_written_off) && near(a.late_charged, b.late_charged) &&
         near(a.late_owing, b.late_owing) && near(a.late_written_off, b.late_written_off) &&
         near(a.late_paid, b.late_paid);
}

// Remembers the proposal of every prompt as well as its question.
class PaymentOperator : public cattest::CatalogueOperator {
 public:
  std::vector<std::string> proposals;
  std::optional<platform::PromptAnswer> prompt(text::u16view q, const platform::PromptOptions& o) override {
    proposals.push_back(text::to_utf8(o.proposal));
    return CatalogueOperator::prompt(q, o);
  }
  std::string last_question() const { return questions.empty() ? "" : questions.back(); }
};

class PaymentTest : public ::testing::Test {
 protected:
  PaymentTest() : folder_(testing::fresh_folder()), clock_(testing::at(2026, 12, 7, 14, 5)),
                  shop_(folder_, op_, clock_, locale_) {}
  ~PaymentTest() override { std::filesystem::remove_all(folder_); }

  void SetUp() override {
    ASSERT_TRUE(records::open_data(shop_));
    screens_.config = &shop_.config;
    shop_.config.repair_after_load();
    shop_.config.set_i64(cfg::kSignedOnOperator, 1);
    auto m = cattest::member(42, u"Smith", u"J", u"1 High Street");
    m.set_title(u"Mr");
    ASSERT_TRUE(records::add_member(shop_, m));
    auto gone = cattest::film(7, u"Gone Fishing");
    ASSERT_TRUE(records::add_film(shop_, gone));
    op_.messages.clear();
    op_.activity_lines.clear();
    ASSERT_EQ(catalogue::find_member_by_number(shop_, 42), 42);
  }
  // The current member owing `owed` (negative: holding credit), on file as well.
  void member_owes(float owed) {
    shop_.member.set_owed(owed);
    ASSERT_TRUE(records::rewrite_member(shop_, shop_.member));
  }
  float owed_on_file() {
    records::MemberRecord m;
    EXPECT_TRUE(records::read_member(shop_, 42, m));
    return m.owed();
  }
  void takings(float x) { shop_.config.set_takings_today(x); }
  Counters counters() const { return Counters::of(shop_.config); }
  void restricted_operator(records::Flag flag) { records::set_restricted(shop_.config, flag, true); }

  // The transaction log as UTF-8, "" when there is none.
  std::string log_text() const {
    auto bytes = records::read_whole(shop_.path(records::files::kLog));
    if (!bytes) return "";
    std::u16string t;
    for (size_t i = 0; i + 1 < bytes->size(); i += 2) t.push_back(char16_t((*bytes)[i] | ((*bytes)[i + 1] << 8)));
    return text::to_utf8(t);
  }
  void tax1(int rate) {
    shop_.config.set_i64(cfg::kTax1Active, 1);
    shop_.config.set_i64(cfg::kTax1Rate, rate);
  }

  std::filesystem::path folder_;
  PaymentOperator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  records::Shop shop_;
  cattest::ScriptedViews views_;
  ScriptedScreens screens_;
  counter::RentalMoney money_;
};

}  // namespace kelvo::paytest
