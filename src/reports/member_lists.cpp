#include "reports/member_lists.h"

#include "catalogue/list_window.h"
#include "catalogue/member_find.h"
#include "reports/alpha_sort.h"
#include "reports/film_selection.h"
#include "reports/list_prompts.h"
#include "reports/print_walk.h"

namespace kelvo::reports {

namespace {

using catalogue::ListRow;
using records::MemberRecord;

using MemberTest = std::function<bool(const MemberRecord&)>;

records::IndexWalk<MemberRecord> member_walk(records::Shop& shop, catalogue::ListScreens& screens, NumberRange range = {}) {
  return records::IndexWalk<MemberRecord>(shop, shop.members, records::files::kMember, screens.progress(), range.from,
                                 range.to);
}

void show_members(records::Shop& shop, catalogue::ListScreens& screens, text::u16view title, MemberTest test,
                  std::function<ListRow(const MemberRecord&)> row = catalogue::member_row, int64_t from = 1) {
  IndexRows<MemberRecord> rows(member_walk(shop, screens, {from, records::kMaxNumber}),
                               [&](const MemberRecord& m, std::vector<ListRow>& out) {
                                 if (test(m)) out.push_back(row(m));
                               });
  catalogue::show_list(shop.op(), screens.views(), title, rows);
  screens.progress().finish();
}

void print_members(records::Shop& shop, catalogue::ListScreens& screens, text::u16view heading, MemberTest test,
                   NumberRange range = {}) {
  print_walk<MemberRecord>(shop, screens, catalogue::heading_start(shop, heading), member_walk(shop, screens, range),
                           [&](const MemberRecord& m, platform::PageWriter& w) {
                             if (!test(m)) return;
                             w.line(text::format("%-16I64d%-5s%-6s %-20s %s T: %s",
                                                 {m.number(), m.title(), m.initial(), m.name(), m.road(),
                                                  m.telephone1()}));
                           });
}

// The items a member has overdue, in the order of the loan entries.
struct OverdueItem {
  int64_t item;
  text::u16 rented;  // the rental stamp
  int days;
};

std::vector<OverdueItem> overdue_items(const records::Shop& shop, const MemberRecord& m, const text::DateTime& now) {
  std::vector<OverdueItem> out;
  if (m.on_loan_flag() == 0) return out;
  for (int i = 0; i < MemberRecord::kLoanSlots; ++i) {
    if (m.on_loan(i) == 0) continue;
    const int days = text::days_overdue(now, m.on_loan_due(i), shop.config.return_deadline());
    if (days >= 1) out.push_back({m.on_loan(i), m.on_loan_rented(i), days});
  }
  return out;
}

bool never_seen_after(const MemberRecord& m, int year) {
  const text::StampDate d = text::parse_stamp(m.last_used());
  return !d.valid || d.year <= year;
}

}  // namespace

void list_members_from(records::Shop& shop, catalogue::ListScreens& screens) {
  auto from = ask_start_number(shop, u"List from number:");
  if (!from) return;
  show_members(shop, screens, u"Member list", [](const MemberRecord&) { return true; }, catalogue::member_row, *from);
}

void list_members_alphabetically(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_alpha_range(shop);
  if (!range) return;
  const bool sorted = sort_members_into_work_file(shop, *range, screens.progress());
  screens.progress().finish();
  if (!sorted) return;
  WorkFileRows rows(shop, kMemberWorkFile, [&](const WorkRecord& w) {
    MemberRecord m;
    if (records::read_member(shop, w.number(), m)) return catalogue::member_row(m);
    return ListRow{text::format("%I64d", {w.number()}), w.text1(), w.text2() + u" " + w.text3(), {}};
  });
  catalogue::show_list(shop.op(), screens.views(), u"Alphabetical member list", rows);
}

void list_members_owing(records::Shop& shop, catalogue::ListScreens& screens) {
  show_members(shop, screens, u"Members with non zero credit", [](const MemberRecord& m) { return m.owed() != 0; },
               [](const MemberRecord& m) {
                 ListRow row = catalogue::member_row(m);
                 row[1] = text::format("%.2f, ", {m.owed()}) + row[1];
                 return row;
               });
}

void list_active_members(records::Shop& shop, catalogue::ListScreens& screens) {
  show_members(shop, screens, u"Member list active", [](const MemberRecord& m) { return m.on_loan_flag() != 0; });
}

void list_members_not_category1(records::Shop& shop, catalogue::ListScreens& screens) {
  show_members(shop, screens, u"Member list not category 1", [](const MemberRecord& m) { return m.category() != 1; },
               [](const MemberRecord& m) {
                 ListRow row = catalogue::member_row(m);
                 row[1] = text::format("%d, ", {m.category()}) + row[1];
                 return row;
               });
}

void list_overdue_members(records::Shop& shop, catalogue::ListScreens& screens) {
  const text::DateTime now = shop.now();
  bool stopped = false;
  IndexRows<MemberRecord> rows(member_walk(shop, screens), [&](const MemberRecord& m, std::vector<ListRow>& out) {
    if (stopped) return;
    const auto items = overdue_items(shop, m, now);
    if (items.empty()) return;
    catalogue::TransactionData data;
    screens.progress().finish();
    if (!catalogue::transaction_data_of(shop, m, data) || !screens.history().show_transaction(data)) {
      stopped = true;
      return;
    }
    out.push_back({text::format("%I64d", {m.number()}), m.name(), text::format("%s %s", {m.title(), m.initial()}),
                   text::format("T. %s", {m.telephone1()})});
    for (const auto& it : items)
      out.push_back({text::format("%I64d at ", {it.item}) + stamp_time(it.rented),
                     text::format("on %s", {short_date(shop.locale(), it.rented)}),
                     text::format("%I64d days", {static_cast<long long>(it.days)}), {}});
  }, [&] { return stopped; });  // a Cancel in a "Transaction" screen reads no further
  catalogue::show_list(shop.op(), screens.views(), u"Member overdue list", rows);
  screens.progress().finish();
}

void print_members_from(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_number_range(shop, screens);
  if (!range) return;
  print_members(shop, screens, u"Numeric member list: ", [](const MemberRecord&) { return true; }, *range);
}

void print_members_alphabetically(records::Shop& shop, catalogue::ListScreens& screens) {
  auto range = ask_alpha_range(shop);
  if (!range) return;
  const bool sorted = sort_members_into_work_file(shop, *range, screens.progress());
  screens.progress().finish();
  if (!sorted) return;
  print_work_file(shop, screens, catalogue::heading_start(shop, u"Alphabetical member list: "), kMemberWorkFile,
                  [](const WorkRecord& r, platform::PageWriter& w) {
                    w.line(text::format("%-16I64d  %-30s %-6s %-6s", {r.number(), r.text1(), r.text2(), r.text3()}));
                  });
}

void print_active_members(records::Shop& shop, catalogue::ListScreens& screens) {
  print_members(shop, screens, u"Active member list: ", [](const MemberRecord& m) { return m.on_loan_flag() != 0; });
}

void print_members_owing(records::Shop& shop, catalogue::ListScreens& screens) {
  print_walk<MemberRecord>(shop, screens, catalogue::heading_start(shop, u"Debit / credit member list: "),
                           member_walk(shop, screens), [](const MemberRecord& m, platform::PageWriter& w) {
                             if (m.owed() == 0) return;
                             w.line(text::format("%-16I64d %s %s %s, %s, T: %s, %.2f",
                                                 {m.number(), m.title(), m.initial(), m.name(), m.road(),
                                                  m.telephone1(), m.owed()}));
                           });
}

void print_members_not_category1(records::Shop& shop, catalogue::ListScreens& screens) {
  print_members(shop, screens, u"Non default category member list: ",
                [](const MemberRecord& m) { return m.category() != 1; });
}

void print_members_not_seen_since(records::Shop& shop, catalogue::ListScreens& screens) {
  auto year = ask_int(shop, u"Enter the year (YYYY):", 1, shop.now().year, u"2000");
  if (!year) return;
  print_members(shop, screens, u"Useage gap member list: ",
                [&](const MemberRecord& m) { return never_seen_after(m, *year); });
}

void print_overdue_members(records::Shop& shop, catalogue::ListScreens& screens) {
  const text::DateTime now = shop.now();
  print_walk<MemberRecord>(shop, screens, catalogue::heading_start(shop, u"Overdue member list: "), member_walk(shop, screens),
                           [&](const MemberRecord& m, platform::PageWriter& w) {
                             const auto items = overdue_items(shop, m, now);
                             if (items.empty()) return;
                             // A member's block is never split: it moves whole to the next page.
                             w.keep_together(1 + static_cast<int>(items.size()));
                             w.line(text::format("%I64d %s %s %s %s",
                                                 {m.number(), m.title(), m.name(), m.road(), m.telephone1()}));
                             for (const auto& it : items)
                               w.line(text::format("%-16I64d at ", {it.item}) + stamp_time(it.rented) +
                                      text::format(" on %s, %d days", {stamp_date(it.rented), it.days}));
                           });
}

}  // namespace kelvo::reports
