#include "reports/print_heading_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "reports/letter_commands.h"

namespace kelvo::reports {

using platform::qt::qs;
using platform::qt::u16;

PrintHeadingScreen::PrintHeadingScreen(records::Shop& shop, QWidget* parent) : QDialog(parent), shop_(shop) {
  setObjectName(QStringLiteral("printHeading"));
  setWindowTitle(QStringLiteral("Print heading"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  const char* labels[] = {"Site name", "Road", "Area", "State / County", "Zip / Postcode", "Telephone"};
  for (int i = 0; i < 6; ++i) {
    lines_[i] = new QLineEdit(qs(shop.address.line(i + 1)), this);
    lines_[i]->setObjectName(QStringLiteral("line%1").arg(i + 1));
    lines_[i]->setMaxLength(static_cast<int>(kHeadingLineLimit));
    lines_[i]->setMinimumWidth(lines_[i]->fontMetrics().averageCharWidth() * 42);
    form->addRow(QString::fromLatin1(labels[i]), lines_[i]);
  }
  layout->addLayout(form);
  layout->addWidget(new QLabel(QStringLiteral("Each line may contain 40 characters"), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

// The lines reach ADDRESS.RK at shutdown, with the rest of what the run keeps in memory.
void PrintHeadingScreen::accept() {
  std::array<text::u16, 6> lines;
  for (int i = 0; i < 6; ++i) lines[i] = u16(lines_[i]->text());
  set_print_heading(shop_.address, lines);
  QDialog::accept();
}

}  // namespace kelvo::reports
