#include "counter/amend_owe_screen.h"

#include "counter/payment.h"
#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::qs;

AmendOweDialog::AmendOweDialog(float total, QWidget* parent)
    : ChoiceListScreen(QStringLiteral("Amend / owe transaction total"), "amendOweScreen",
                       {{"newTotal", QStringLiteral("&New total")},
                        {"partPaidRestOwed", QStringLiteral("&Part is paid, rest is owed")},
                        {"partPaidAmendedOwed", QStringLiteral("Part is paid, &amended amount is owed")},
                        {"totalOwed", QStringLiteral("&Total is owed")},
                        {"amendedTotalOwed", QStringLiteral("Amended total is o&wed")}},
                       -1, parent) {
  add_fact("total", QStringLiteral("Transaction total:"), qs(money_text(total)));
}

std::optional<AmendChoice> AmendOweDialog::choice() const {
  auto i = chosen();
  if (!i) return std::nullopt;
  return static_cast<AmendChoice>(*i + 1);
}

}  // namespace kelvo::counter::qt
