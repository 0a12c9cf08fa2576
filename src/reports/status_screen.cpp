#include "reports/status_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::reports {

using platform::qt::qs;

namespace {

QGroupBox* framed(const QString& title, const QStringList& labels, const QString* values, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(title);
  auto* form = new QFormLayout(box);
  for (int i = 0; i < labels.size(); ++i) {
    auto* field = new QLineEdit(values[i], box);
    field->setReadOnly(true);
    field->setObjectName(title + ":" + labels[i]);
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(110);
    form->addRow(labels[i], field);
  }
  return box;
}

}  // namespace

// The lines fill three columns in reading order: times and counts, the day's figures, the
// takings and the weekly comparison.
StatusScreen::StatusScreen(const StatusTexts& texts, QWidget* parent) : QDialog(parent) {
  setObjectName("status_window");
  setWindowTitle(qs(texts.title));
  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(28);
  grid->setVerticalSpacing(6);
  const int n = static_cast<int>(texts.lines.size());
  const int rows = 9;
  for (int i = 0; i < n; ++i) {
    auto* label = new QLabel(qs(texts.lines[i]), this);
    label->setObjectName(QStringLiteral("line%1").arg(i));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(label, i % rows, i / rows);
  }
  outer->addLayout(grid);

  auto* groups = new QHBoxLayout;
  const QString arrears[] = {qs(texts.arrears[0]), qs(texts.arrears[1])};
  const QString lates[] = {qs(texts.late_fees[0]), qs(texts.late_fees[1]), qs(texts.late_fees[2]), qs(texts.late_fees[3])};
  groups->addWidget(framed(tr("Arrears"), {tr("Paid"), tr("Written off")}, arrears, this));
  groups->addWidget(framed(tr("Late fees"), {tr("Paid"), tr("Left owing"), tr("Written off"), tr("Total")}, lates, this));
  groups->addStretch(1);
  outer->addLayout(groups);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  outer->addWidget(buttons);
}

}  // namespace kelvo::reports
