#include "reports/rental_analysis_screen.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::reports {

using platform::qt::qs;

namespace {

QLineEdit* read_only(const QString& text, const QString& name, QWidget* parent) {
  auto* e = new QLineEdit(text, parent);
  e->setReadOnly(true);
  e->setObjectName(name);
  e->setMinimumWidth(90);
  return e;
}

void add_ok(QDialog* d, QVBoxLayout* outer) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, d);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
  outer->addWidget(buttons);
}

}  // namespace

CategoryScreen::CategoryScreen(const QString& title, const std::array<text::u16, 18>& fields, QWidget* parent)
    : QDialog(parent) {
  setObjectName("categories");
  setWindowTitle(title);
  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  for (int i = 0; i < 18; ++i) {
    auto* e = read_only(qs(fields[i]), QStringLiteral("category%1").arg(i + 1), this);
    e->setAccessibleName(tr("Category %1").arg(i + 1));  // the box shows the category's figures, unlabelled
    grid->addWidget(e, i % 9, i / 9);
  }
  outer->addLayout(grid);
  add_ok(this, outer);
}

BandScreen::BandScreen(const std::array<BandRow, 9>& rows, QWidget* parent) : QDialog(parent) {
  setObjectName("bands");
  setWindowTitle(tr("Rentals by charge band"));
  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Today"), this), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel(tr("Month"), this), 0, 2, Qt::AlignHCenter);
  for (int b = 1; b <= 9; ++b) {
    grid->addWidget(new QLabel(tr("Band %1").arg(b), this), b, 0);
    grid->addWidget(read_only(QString::number(rows[b - 1].today), QStringLiteral("today%1").arg(b), this), b, 1);
    grid->addWidget(read_only(QString::number(rows[b - 1].month), QStringLiteral("month%1").arg(b), this), b, 2);
  }
  outer->addLayout(grid);
  add_ok(this, outer);
}

}  // namespace kelvo::reports
