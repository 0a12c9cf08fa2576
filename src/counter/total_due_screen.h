#pragma once
// "Total due": how the arrears and late fees of a return are settled when not paid in full.
#include "counter/choice_list_screen.h"
#include "counter/payment_views.h"

namespace kelvo::counter::qt {

class TotalDueDialog : public ChoiceListScreen {
  Q_OBJECT
 public:
  explicit TotalDueDialog(const QString& total, QWidget* parent = nullptr);
  std::optional<TotalDueChoice> choice() const;
};

}  // namespace kelvo::counter::qt
