#include "counter/total_due_screen.h"

namespace kelvo::counter::qt {

TotalDueDialog::TotalDueDialog(const QString& total, QWidget* parent)
    : ChoiceListScreen(QStringLiteral("Total due"), "totalDueScreen",
                       {{"writtenOff", QStringLiteral("&Written off")},
                        {"partPaidRestWrittenOff", QStringLiteral("Part paid, rest written o&ff")},
                        {"partPaidRestOwed", QStringLiteral("Part paid, rest &owed")},
                        {"totalOwed", QStringLiteral("&Total owed")},
                        {"partPaidSpecificOwed", QStringLiteral("Part paid, &specific amount owed")},
                        {"zeroPaidSpecificOwed", QStringLiteral("&Zero paid, specific amount owed")}},
                       0, parent) {
  add_fact("total", QStringLiteral("Total due:"), total);
}

std::optional<TotalDueChoice> TotalDueDialog::choice() const {
  auto i = chosen();
  if (!i) return std::nullopt;
  return static_cast<TotalDueChoice>(*i + 1);
}

}  // namespace kelvo::counter::qt
