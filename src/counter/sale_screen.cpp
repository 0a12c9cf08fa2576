#include "counter/sale_screen.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/chosen_row.h"
#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::qs;
using platform::qt::u16;

namespace {

QLineEdit* money_box(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  e->setAlignment(Qt::AlignRight);
  e->setMinimumWidth(110);
  return e;
}

QPushButton* push(QWidget* parent, const QString& text, const char* name) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  b->setMinimumHeight(36);  // a finger's width on a touch screen
  return b;
}

}  // namespace

SaleDialog::SaleDialog(SaleBasket& basket, SaleForm form, const std::vector<StockListRow>& rows, QWidget* parent)
    : QDialog(parent), basket_(basket) {
  setWindowTitle(QStringLiteral("Sale"));
  setObjectName(QStringLiteral("saleScreen"));

  basket_list_ = new QListWidget(this);
  basket_list_->setObjectName(QStringLiteral("basket"));
  basket_list_->setAccessibleName(QStringLiteral("Basket"));
  basket_list_->setFocusPolicy(Qt::NoFocus);
  basket_list_->setMinimumWidth(basket_list_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
  sub_total_ = money_box(this, "subTotal");
  tax1_ = money_box(this, "tax1");
  tax2_ = money_box(this, "tax2");
  total_ = money_box(this, "total");
  QFont big = total_->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  big.setBold(true);
  total_->setFont(big);
  auto* money = new QFormLayout;
  money->addRow(QStringLiteral("Sub total"), sub_total_);
  money->addRow(QStringLiteral("Tax 1"), tax1_);
  money->addRow(QStringLiteral("Tax 2"), tax2_);
  money->addRow(QStringLiteral("Total"), total_);
  auto* sold = new QGroupBox(QStringLiteral("Basket"), this);
  auto* sold_layout = new QVBoxLayout(sold);
  sold_layout->addWidget(basket_list_);
  sold_layout->addLayout(money);

  auto* middle = new QHBoxLayout;
  middle->addWidget(form == SaleForm::List ? inventory_box(rows) : item_box(), 3);
  middle->addWidget(sold, 2);

  auto* commit = push(this, QStringLiteral("&Commit"), "commit");
  auto* cancel = push(this, QStringLiteral("Cancel"), "cancel");
  connect(commit, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(commit);
  buttons->addWidget(cancel);

  auto* all = new QVBoxLayout(this);
  all->addLayout(middle);
  all->addLayout(buttons);
  resize(780, 520);  // within the smallest desktop the program allows, 800 x 600
  refresh();
}

QWidget* SaleDialog::inventory_box(const std::vector<StockListRow>& rows) {
  auto* box = new QGroupBox(QStringLiteral("Inventory"), this);
  stock_ = new QListWidget(box);
  stock_->setObjectName(QStringLiteral("stockList"));
  stock_->setAccessibleName(QStringLiteral("Inventory"));
  for (const auto& r : rows) {
    stock_->addItem(qs(r.text));
    numbers_.push_back(r.number);
  }
  if (!rows.empty()) stock_->setCurrentRow(0);
  // Wide enough for the longest row (a 40-character description and its figures), as far as
  // an 800 x 600 desktop allows; the list scrolls sideways for the rest.
  const int wanted = stock_->sizeHintForColumn(0) + 2 * stock_->frameWidth() + 24;
  stock_->setMinimumWidth(std::min(wanted, 420));
  auto* add = push(box, QStringLiteral("&Add"), "add");
  auto* add2 = push(box, QStringLiteral("Add &x 2"), "addTwo");
  connect(add, &QPushButton::clicked, this, [this] { add_selected(1); });
  connect(add2, &QPushButton::clicked, this, [this] { add_selected(2); });
  // Enter on a line adds it, as a double click does.
  connect(stock_, &QListWidget::itemActivated, this, [this] { add_selected(1); });
  auto* row = new QHBoxLayout;
  row->addWidget(add);
  row->addWidget(add2);
  row->addStretch();
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(stock_);
  layout->addLayout(row);
  stock_->setFocus();
  return box;
}

QWidget* SaleDialog::item_box() {
  auto* box = new QGroupBox(QStringLiteral("Item"), this);
  item_ = new QLineEdit(box);
  item_->setObjectName(QStringLiteral("item"));
  item_->setMaxLength(19);
  auto* label = new QLabel(QStringLiteral("&Line number (type or scan, then Return):"), box);
  label->setBuddy(item_);
  connect(item_, &QLineEdit::returnPressed, this, [this] {
    if (basket_.add_typed(u16(item_->text()))) refresh();
    item_->clear();
    item_->setFocus();
  });
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(label);
  layout->addWidget(item_);
  layout->addStretch();
  item_->setFocus();
  return box;
}

void SaleDialog::add_selected(int units) {
  const int row = platform::qt::chosen_row(stock_);
  if (row < 0 || row >= static_cast<int>(numbers_.size())) return;
  if (basket_.add(numbers_[row], units)) refresh();
}

void SaleDialog::refresh() {
  const auto& shown = basket_.shown();
  for (int i = basket_list_->count(); i < static_cast<int>(shown.size()); ++i) basket_list_->addItem(qs(shown[i]));
  if (basket_list_->count() > 0) basket_list_->scrollToBottom();
  sub_total_->setText(qs(basket_.sub_total_text()));
  tax1_->setText(qs(basket_.tax1_text()));
  tax2_->setText(qs(basket_.tax2_text()));
  total_->setText(qs(basket_.total_text()));
}

bool QtSaleScreen::run_sale(SaleBasket& basket, SaleForm form, const std::vector<StockListRow>& rows) {
  SaleDialog dialog(basket, form, rows, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace kelvo::counter::qt
