#pragma once
// "Arrears": a member who owes starts a rental. Shows who they are, when they last came, the
// last four items they had and what they owe, and asks how the debt is settled.
#include "counter/choice_list_screen.h"
#include "counter/payment_views.h"

namespace kelvo::counter::qt {

class ArrearsDialog : public ChoiceListScreen {
  Q_OBJECT
 public:
  explicit ArrearsDialog(const ArrearsView& view, QWidget* parent = nullptr);
  std::optional<ArrearsChoice> choice() const;
};

}  // namespace kelvo::counter::qt
