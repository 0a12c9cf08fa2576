#pragma once
// A shop with first-run data files and the list commands' screens answered from a script: the
// list window pages, a progress that cancels at a chosen step, a recording printer and the
// "ps2" range.
#include <functional>

#include "catalogue/catalogue_fixture.h"
#include "catalogue/list_screens.h"
#include "platform/recording_printer.h"
#include "text/format.h"

namespace kelvo::listtest {

class CancellingProgress : public platform::Progress {
 public:
  int64_t cancel_at = -1;  // the step that answers Cancel; -1: never
  int64_t steps = 0;
  std::function<void()> on_finish;  // what happens to the shop when a pass ends
  bool step(text::u16view, int64_t, int64_t) override { return cancel_at < 0 || steps++ < cancel_at; }
  void finish() override {
    if (on_finish) on_finish();
  }
};

class ScriptedHistory : public catalogue::HistoryViews {
 public:
  std::vector<catalogue::Investigation> investigations;
  std::vector<catalogue::TransactionData> transactions;
  std::deque<bool> transaction_answers;  // default OK
  void show_investigation(const catalogue::Investigation& d) override { investigations.push_back(d); }
  bool show_transaction(const catalogue::TransactionData& d) override {
    transactions.push_back(d);
    if (transaction_answers.empty()) return true;
    bool a = transaction_answers.front();
    transaction_answers.pop_front();
    return a;
  }
};

class ScriptedListScreens : public catalogue::ListScreens {
 public:
  explicit ScriptedListScreens(cattest::ScriptedViews& views) : views_(views) {}
  catalogue::CatalogueViews& views() override { return views_; }
  platform::Progress& progress() override { return progress_; }
  catalogue::HistoryViews& history() override { return history_; }
  platform::Printer& printer() override { return printer_; }
  std::optional<catalogue::TypedRange> number_range() override {
    if (ranges.empty()) return std::nullopt;
    auto r = ranges.front();
    ranges.pop_front();
    return r;
  }

  std::deque<std::optional<catalogue::TypedRange>> ranges;
  CancellingProgress progress_;
  ScriptedHistory history_;
  platform::RecordingPrinter printer_;

 private:
  cattest::ScriptedViews& views_;
};

class ListTest : public cattest::CatalogueTest {
 protected:
  ListTest() : screens_(views_) {}

  // Every text of every page shown, as UTF-8 rows "a | b | c | d".
  std::vector<std::string> shown_rows() const {
    std::vector<std::string> out;
    for (const auto& page : views_.pages)
      for (const auto& r : page)
        out.push_back(text::to_utf8(r[0]) + " | " + text::to_utf8(r[1]) + " | " + text::to_utf8(r[2]) + " | " +
                      text::to_utf8(r[3]));
    return out;
  }
  std::vector<std::string> printed(int page = 0) const {
    std::vector<std::string> out;
    for (const auto& t : screens_.printer_.texts(page)) out.push_back(text::to_utf8(t));
    return out;
  }
  std::vector<std::string> shown_numbers() const {
    std::vector<std::string> out;
    for (const auto& page : views_.pages)
      for (const auto& r : page) out.push_back(text::to_utf8(r[0]));
    return out;
  }

  // A member with items out, each rented on 1/12 and due on 5/12 (two days late on 7/12).
  void given_overdue_member(int64_t number, std::u16string name, int items) {
    given_members({cattest::member(number, name, u"Ann", u"1 High St")});
    records::MemberRecord m;
    ASSERT_TRUE(records::read_member(shop_, number, m));
    m.set_telephone1(u"0114");
    for (int i = 0; i < items; ++i) {
      m.set_on_loan(i, number * 100 + i);
      m.set_on_loan_rented(i, u"09:3001/12/2026");
      m.set_on_loan_due(i, u"20:0005/12/2026");
    }
    m.refresh_on_loan_flag();
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }

  ScriptedListScreens screens_;
};

}  // namespace kelvo::listtest
