// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/pricing_commands.h"

#include <QObject>

#include "counter/band_days_screen.h"
#include "counter/closed_day_screen.h"
#include "counter/offer_settings.h"
#include "counter/rental_credits_screen.h"
#include "counter/special_offers_screen.h"
#include "shell/main_window.h"

namespace kelvo::shell {

namespace {

class OfferStateHolder : public QObject {
 public:
  explicit OfferStateHolder(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("offerState")); }
  counter::OfferState state;
};

// Shows a settings screen; on OK its values go into the block and wr.cfg is written.
template <typename Screen>
void edit_settings(MainWindow& w) {
  auto& shop = w.shop();
  Screen screen(shop.config, &w);
  if (screen.exec() != QDialog::Accepted) return;
  screen.settings().store(shop.config);
  shop.save_config();
}

}  // namespace

counter::OfferState& offer_state(MainWindow& w) {
  auto* holder = w.findChild<OfferStateHolder*>(QStringLiteral("offerState"), Qt::FindDirectChildrenOnly);
  if (!holder) holder = new OfferStateHolder(&w);
  return holder->state;
}

namespace pricing {

void special_offers(MainWindow& w) { edit_settings<counter::SpecialOffersScreen>(w); }
void rental_credits(MainWindow& w) { edit_settings<counter::RentalCreditsScreen>(w); }
void closed_day(MainWindow& w) { edit_settings<counter::ClosedDayScreen>(w); }
void band_days(MainWindow& w) { edit_settings<counter::BandDaysScreen>(w); }

void all_items_one_price(MainWindow& w) {
  counter::ask_one_price(w.shop(), offer_state(w), counter::OnePrice::AllItems);
}
void any_two_items(MainWindow& w) { counter::ask_one_price(w.shop(), offer_state(w), counter::OnePrice::AnyTwo); }
void any_three_items(MainWindow& w) {
  counter::ask_one_price(w.shop(), offer_state(w), counter::OnePrice::AnyThree);
}

}  // namespace pricing
}  // namespace kelvo::shell
