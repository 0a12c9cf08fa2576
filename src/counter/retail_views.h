#pragma once
// The screens of the retail side as the flows see them: the stock line form, the "Sale" screen,
// "Non inventory sale", "Sale of rental item" and the cash tendered screen of a sale. The Qt
// side draws them; tests answer them from a script.
#include <optional>
#include <vector>

#include "counter/payment_views.h"
#include "counter/sale_receipt.h"
#include "text/utf16.h"

namespace kelvo::counter {

class SaleBasket;
class NonInventoryModel;

// --- "New stock line" / "Amend stock" ------------------------------------------------------------
// The boxes as typed; the flow reads them.
struct StockLineForm {
  text::u16 number, description, quantity, cost_price, sale_price, reorder_quantity;
};
constexpr char16_t kNewStockTitle[] = u"New stock line";
constexpr char16_t kAmendStockTitle[] = u"Amend stock";
class StockLineScreen {
 public:
  virtual ~StockLineScreen() = default;
  // The form titled `title` holding `form`; nullopt when cancelled.
  virtual std::optional<StockLineForm> edit_stock_line(text::u16view title, const StockLineForm& form) = 0;
};

// --- "Sale" ----------------------------------------------------------------------------------------
// A row of the list form: "%I64d %s,  %.2f (%d)" and the line it stands for.
struct StockListRow {
  int64_t number = 0;
  text::u16 text;
};
enum class SaleForm { List, Scanner };
class SaleScreen {
 public:
  virtual ~SaleScreen() = default;
  // Shows the basket until "Commit" (true) or "Cancel" (false). The list form offers `rows`;
  // the screen adds units through the basket, which checks and prices them.
  virtual bool run_sale(SaleBasket& basket, SaleForm form, const std::vector<StockListRow>& rows) = 0;
};

// --- "Non inventory sale" ----------------------------------------------------------------------
class NonInventoryScreen {
 public:
  virtual ~NonInventoryScreen() = default;
  // True when "Add" was pressed with a price the model accepted; false for Cancel.
  virtual bool run_non_inventory(NonInventoryModel& model) = 0;
};

// --- "Sale of rental item" -------------------------------------------------------------------
class RentalItemSaleScreen {
 public:
  virtual ~RentalItemSaleScreen() = default;
  // The item and title shown, the sale price typed; nullopt when cancelled. The amount is read
  // by the flow, which shows the screen again for an amount it refuses.
  virtual std::optional<AmountFigures> ask_sale_price(int64_t item, text::u16view title) = 0;
};

// --- Cash tendered of a sale -------------------------------------------------------------------
// "Total due", "Tendered", "Change" and the receipt buttons the sale offers.
struct SaleCashView {
  CashTenderedModel money;
  SaleReceipt receipt;
  SaleReceiptForm till_form = SaleReceiptForm::SingleTill;  // "&Till receipt"
  bool page_receipt = false;                                 // "&Page receipt" offered
};
class SaleCashScreen {
 public:
  virtual ~SaleCashScreen() = default;
  // Receipt buttons print through `receipts`; without one they are not offered.
  virtual void show_sale_cash(SaleCashView& view, SaleReceipts* receipts) = 0;
};

}  // namespace kelvo::counter
