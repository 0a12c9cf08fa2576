#include "reports/custom_receipt_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "reports/receipts_settings.h"

namespace kelvo::reports {

using platform::qt::qs;
using platform::qt::u16;

namespace {

constexpr int kRows = 7;

QLineEdit* number_box(QWidget* parent, int value, const QString& name) {
  auto* e = new QLineEdit(QString::number(value), parent);
  e->setObjectName(name);
  e->setMaxLength(3);
  e->setFixedWidth(e->fontMetrics().averageCharWidth() * 6);
  e->setAlignment(Qt::AlignRight);
  return e;
}

}  // namespace

CustomReceiptScreen::CustomReceiptScreen(records::ConfigBlock& config, QWidget* parent)
    : QDialog(parent), config_(config) {
  setObjectName(QStringLiteral("customReceipt"));
  setWindowTitle(QStringLiteral("Custom receipt"));
  const CustomLayout layout = custom_layout(config);

  auto* note = new QLabel(
      QStringLiteral("The value is the number of lines from the top of the receipt that the item is printed (1-40). "
                     "A zero value omits."),
      this);
  note->setObjectName(QStringLiteral("note"));
  note->setWordWrap(true);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  for (int e = 0; e < records::cfg::kCustomReceiptElements; ++e) {
    lines_[e] = number_box(this, layout.lines[e], QStringLiteral("line%1").arg(e));
    auto* label = new QLabel(qs(kCustomReceiptLabels[e]), this);
    label->setBuddy(lines_[e]);
    const int row = e % kRows, column = 2 * (e / kRows);
    grid->addWidget(label, row, column);
    grid->addWidget(lines_[e], row, column + 1);
  }

  blank_lines_ = number_box(this, layout.blank_lines, QStringLiteral("blankLines"));
  logo_ = new QCheckBox(QStringLiteral("Include logo"), this);
  logo_->setObjectName(QStringLiteral("includeLogo"));
  logo_->setChecked(layout.logo);
  auto* below = new QGridLayout;
  auto* blank_label = new QLabel(QStringLiteral("Blank lines at end"), this);
  blank_label->setBuddy(blank_lines_);
  below->addWidget(blank_label, 0, 0);
  below->addWidget(blank_lines_, 0, 1);
  below->addWidget(logo_, 0, 2);
  below->setColumnStretch(3, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* all = new QVBoxLayout(this);
  all->addWidget(note);
  all->addLayout(grid);
  all->addLayout(below);
  all->addWidget(buttons);
}

void CustomReceiptScreen::accept() {
  CustomLayoutTyped typed;
  for (int e = 0; e < records::cfg::kCustomReceiptElements; ++e) typed.lines[e] = u16(lines_[e]->text());
  typed.blank_lines = u16(blank_lines_->text());
  typed.logo = logo_->isChecked();
  store_custom_layout(config_, typed);
  QDialog::accept();
}

}  // namespace kelvo::reports
