#pragma once
// The till against the day's takings: "Till reconciliation" shows the figures, "Till closeout"
// shows them, may print them, writes them to the log and signs the operator off.
#include <functional>
#include <vector>

#include "platform/printer.h"
#include "records/shop.h"

namespace kelvo::reports {

struct TillFigures {
  float initial_till = 0, takings = 0, refunds = 0, arrears = 0, overdues = 0, memberships = 0, retail_sales = 0,
        item_sales = 0;
  // Derived, in this order, in single precision.
  float rentals = 0, sub_total = 0, till_total = 0;
};
TillFigures till_figures(const records::ConfigBlock& c);

// "Initial till: %.2f" ... "Till total: %.2f", in the order of the log entry and the page.
std::vector<text::u16> figure_lines(const TillFigures& f);

enum class CloseoutChoice { Close, PrintAndClose, Cancel };

// The two windows. The closeout window stays open while `act` answers false.
class TillViews {
 public:
  virtual ~TillViews() = default;
  virtual void show_reconciliation(const TillFigures& f) = 0;
  virtual void run_closeout(const TillFigures& f, const std::function<bool(CloseoutChoice)>& act) = 0;
};

// The closeout's date: the short form of today, or "%2d/%2d/%d".
text::u16 closeout_date(const records::Shop& shop);
// "\r\nTill closeout: hh:mm <date>\r\nAssoc: %I64d, %s\r\n" and the figure lines.
text::u16 closeout_entry(const records::Shop& shop, const TillFigures& f);
// The printed page: store heading, time and date, operator, figures.
std::vector<text::u16> closeout_page(const records::Shop& shop, const TillFigures& f);

void till_reconciliation(records::Shop& shop, TillViews& views);

// True when the closeout was logged and the operator is to be signed off. A cancelled print
// dialog keeps the window open; a log that cannot be written keeps the operator signed on.
bool till_closeout(records::Shop& shop, TillViews& views, platform::Printer& printer);

}  // namespace kelvo::reports
