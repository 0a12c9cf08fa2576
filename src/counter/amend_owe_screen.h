#pragma once
// "Amend / owe transaction total": change what the rental costs or leave some of it owed.
#include "counter/choice_list_screen.h"
#include "counter/payment_views.h"

namespace kelvo::counter::qt {

class AmendOweDialog : public ChoiceListScreen {
  Q_OBJECT
 public:
  explicit AmendOweDialog(float total, QWidget* parent = nullptr);
  std::optional<AmendChoice> choice() const;
};

}  // namespace kelvo::counter::qt
