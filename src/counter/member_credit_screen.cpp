#include "counter/member_credit_screen.h"

#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::qs;

MemberCreditDialog::MemberCreditDialog(const MemberCreditView& v, QWidget* parent)
    : ChoiceListScreen(QStringLiteral("Member credit"), "memberCreditScreen",
                       {{"amountPaid", QStringLiteral("Amount is &paid")},
                        {"amountOwed", QStringLiteral("Amount is &owed")},
                        {"partPaidRestOwed", QStringLiteral("Part is paid, &rest owed")},
                        {"partPaidRestWrittenOff", QStringLiteral("Part is paid, rest &written off")},
                        {"writtenOff", QStringLiteral("Written o&ff")}},
                       0, parent) {
  add_fact("transactionTotal", QStringLiteral("Transaction total:"), qs(v.transaction_total));
  add_fact("credit", QStringLiteral("Credit:"), qs(v.credit));
  add_fact("amountOwed", QStringLiteral("Amount owed:"), qs(v.amount_owed));
}

std::optional<CreditChoice> MemberCreditDialog::choice() const {
  auto i = chosen();
  if (!i) return std::nullopt;
  return static_cast<CreditChoice>(*i + 1);
}

}  // namespace kelvo::counter::qt
