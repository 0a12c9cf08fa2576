#include "counter/non_inventory_screen.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::counter::qt {

using platform::qt::Shown;
using platform::qt::shown_field;
using platform::qt::qs;
using platform::qt::u16;

namespace {

// Pad and keyboard keys never take the focus, so typing goes on in the box being filled.
QPushButton* key_button(QWidget* parent, const QString& text, const QString& name) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);
  b->setMinimumSize(40, 36);
  return b;
}


}  // namespace

NonInventoryDialog::NonInventoryDialog(NonInventoryModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(QStringLiteral("Non inventory sale"));
  setObjectName(QStringLiteral("nonInventoryScreen"));

  auto* parts = new QHBoxLayout;
  parts->addWidget(description_part(), 3);
  parts->addWidget(price_part(), 2);

  auto* add = new QPushButton(QStringLiteral("&Add"), this);
  add->setObjectName(QStringLiteral("add"));
  add->setDefault(true);
  add->setMinimumHeight(36);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  cancel->setAutoDefault(false);
  cancel->setMinimumHeight(36);
  connect(add, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(add);
  buttons->addWidget(cancel);

  auto* all = new QVBoxLayout(this);
  all->addLayout(parts);
  all->addLayout(buttons);
  refresh();
  description_->setFocus();
}

QWidget* NonInventoryDialog::description_part() {
  auto* box = new QGroupBox(QStringLiteral("Description"), this);
  description_ = new QLineEdit(box);
  description_->setObjectName(QStringLiteral("description"));
  description_->setMaxLength(static_cast<int>(NonInventoryModel::kDescriptionLimit));
  // The text as it stands, however it got there: typed, scanned or set by a screen reader.
  connect(description_, &QLineEdit::textChanged, this, [this](const QString& t) { model_.set_description(u16(t)); });

  auto* quick = new QHBoxLayout;
  int n = 0;
  for (const auto& name : NonInventoryModel::quick_descriptions()) {
    auto* b = key_button(box, qs(name), QStringLiteral("quick%1").arg(n++));
    connect(b, &QPushButton::clicked, this, [this, name] {
      model_.set_description(name);
      refresh();
    });
    quick->addWidget(b);
  }

  auto* keys = new QGridLayout;
  keys->setSpacing(3);
  const char* rows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL-", "ZXCVBNM,./"};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; rows[r][c]; ++c) {
      const QChar ch = QLatin1Char(rows[r][c]);
      auto* b = key_button(box, QString(ch), QStringLiteral("key%1").arg(ch));
      connect(b, &QPushButton::clicked, this, [this, ch] {
        model_.key(ch.unicode());
        refresh();
      });
      keys->addWidget(b, r, c);
    }
  }
  auto* space = key_button(box, QStringLiteral("Space"), QStringLiteral("keySpace"));
  connect(space, &QPushButton::clicked, this, [this] {
    model_.key(u' ');
    refresh();
  });
  auto* back = key_button(box, QStringLiteral("Back"), QStringLiteral("keyBack"));
  connect(back, &QPushButton::clicked, this, [this] {
    model_.backspace();
    refresh();
  });
  keys->addWidget(space, 4, 2, 1, 6);
  keys->addWidget(back, 4, 8, 1, 2);

  taxable_ = new QRadioButton(QStringLiteral("Ta&xable"), box);
  taxable_->setObjectName(QStringLiteral("taxable"));
  not_taxable_ = new QRadioButton(QStringLiteral("&Non taxable"), box);
  not_taxable_->setObjectName(QStringLiteral("nonTaxable"));
  (model_.taxable() ? taxable_ : not_taxable_)->setChecked(true);
  connect(taxable_, &QRadioButton::toggled, this, [this](bool on) {
    model_.set_taxable(on);
    refresh();
  });
  auto* tax_row = new QHBoxLayout;
  tax_row->addWidget(taxable_);
  tax_row->addWidget(not_taxable_);
  tax_row->addStretch();

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(description_);
  layout->addLayout(quick);
  layout->addLayout(keys);
  layout->addLayout(tax_row);
  return box;
}

QWidget* NonInventoryDialog::price_part() {
  auto* box = new QGroupBox(QStringLiteral("Price"), this);
  price_ = new QLineEdit(box);
  price_->setObjectName(QStringLiteral("price"));
  price_->setAlignment(Qt::AlignRight);
  price_->setMaxLength(12);
  connect(price_, &QLineEdit::textChanged, this, [this](const QString& t) {
    model_.set_price(u16(t));
    refresh();
  });

  auto* pad = new QGridLayout;
  pad->setSpacing(3);
  const char* pad_keys = "789456123.0";
  for (int i = 0; pad_keys[i]; ++i) {
    const QChar ch = QLatin1Char(pad_keys[i]);
    auto* b = key_button(box, QString(ch), ch == QLatin1Char('.') ? QStringLiteral("padPoint") : QStringLiteral("pad%1").arg(ch));
    b->setAccessibleName(QStringLiteral("Price %1").arg(ch));
    connect(b, &QPushButton::clicked, this, [this, ch] {
      model_.price_key(ch.unicode());
      refresh();
    });
    pad->addWidget(b, i / 3, i % 3);
  }
  auto* clear = key_button(box, QStringLiteral("C"), QStringLiteral("padClear"));
  clear->setAccessibleName(QStringLiteral("Clear price"));
  connect(clear, &QPushButton::clicked, this, [this] {
    model_.clear_price();
    refresh();
  });
  pad->addWidget(clear, 3, 2);

  auto* quick = new QGridLayout;
  quick->setSpacing(3);
  for (int v = 1; v <= NonInventoryModel::kQuickPrices; ++v) {
    auto* b = key_button(box, QStringLiteral("%1.00").arg(v), QStringLiteral("price%1").arg(v));
    connect(b, &QPushButton::clicked, this, [this, v] {
      model_.quick_price(v);
      refresh();
    });
    quick->addWidget(b, (v - 1) / 5, (v - 1) % 5);
  }

  nett_ = shown_field(box, "nett", {}, Shown::Money);
  tax1_ = shown_field(box, "tax1", {}, Shown::Money);
  tax2_ = shown_field(box, "tax2", {}, Shown::Money);
  total_ = shown_field(box, "total", {}, Shown::Money);
  QFont big = total_->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  big.setBold(true);
  total_->setFont(big);
  auto* figures = new QFormLayout;
  figures->addRow(QStringLiteral("Nett"), nett_);
  figures->addRow(QStringLiteral("Tax 1"), tax1_);
  figures->addRow(QStringLiteral("Tax 2"), tax2_);
  figures->addRow(QStringLiteral("Total"), total_);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(price_);
  layout->addLayout(pad);
  layout->addLayout(quick);
  layout->addLayout(figures);
  return box;
}

void NonInventoryDialog::refresh() {
  if (description_->text() != qs(model_.description())) description_->setText(qs(model_.description()));
  if (price_->text() != qs(model_.price_text())) price_->setText(qs(model_.price_text()));
  nett_->setText(qs(model_.nett()));
  tax1_->setText(qs(model_.tax1()));
  tax2_->setText(qs(model_.tax2()));
  total_->setText(qs(model_.total()));
  tax1_->setEnabled(model_.taxes_shown());
  tax2_->setEnabled(model_.taxes_shown());
}

bool QtNonInventoryScreen::run_non_inventory(NonInventoryModel& model) {
  NonInventoryDialog dialog(model, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace kelvo::counter::qt
