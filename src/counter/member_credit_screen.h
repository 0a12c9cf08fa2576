#pragma once
// "Member credit": the member's credit does not cover the new rental; how is the rest settled.
#include "counter/choice_list_screen.h"
#include "counter/payment_views.h"

namespace kelvo::counter::qt {

class MemberCreditDialog : public ChoiceListScreen {
  Q_OBJECT
 public:
  explicit MemberCreditDialog(const MemberCreditView& view, QWidget* parent = nullptr);
  std::optional<CreditChoice> choice() const;
};

}  // namespace kelvo::counter::qt
