#include "reports/export_takings_screen.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::reports {

using platform::qt::qs;

ExportTakingsScreen::ExportTakingsScreen(QWidget* parent) : QDialog(parent) {
  setObjectName("export_takings");
  setWindowTitle(tr("Export takings"));
  auto* outer = new QVBoxLayout(this);
  auto* periods = new QGroupBox(tr("Period"), this);
  auto* row = new QHBoxLayout(periods);
  period_ = new QButtonGroup(this);
  const std::pair<QString, ExportPeriod> choices[] = {
      {tr("Day"), ExportPeriod::Day}, {tr("Week"), ExportPeriod::Week}, {tr("Month"), ExportPeriod::Month}, {tr("Year"), ExportPeriod::Year}};
  for (const auto& [text, p] : choices) {
    auto* b = new QRadioButton(text, periods);
    b->setObjectName(text);
    b->setChecked(p == ExportPeriod::Year);
    period_->addButton(b, static_cast<int>(p));
    row->addWidget(b);
  }
  outer->addWidget(periods);
  auto* form = new QFormLayout;
  file_ = new QLineEdit(QStringLiteral("Takings.csv"), this);
  file_->setObjectName("file_name");
  file_->setMaxLength(79);
  form->addRow(tr("File name"), file_);
  outer->addLayout(form);
  header_ = new QCheckBox(tr("Unicode header"), this);
  header_->setObjectName("unicode_header");
  header_->setChecked(true);
  outer->addWidget(header_);
  auto* note = new QLabel(tr("The CSV text file produced has the format: DD/MM/YYYY,  A: ARREARS,  L:  LATES, TOTAL"), this);
  note->setWordWrap(true);
  outer->addWidget(note);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* save = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
  save->setObjectName("save");
  save->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  outer->addWidget(buttons);
  setMinimumWidth(460);
}

TakingsExport ExportTakingsScreen::request() const {
  TakingsExport r;
  r.period = static_cast<ExportPeriod>(period_->checkedId());
  r.file_name = platform::qt::u16(file_->text());
  r.unicode_header = header_->isChecked();
  return r;
}

std::optional<TakingsExport> ExportTakingsScreen::ask(QWidget* parent) {
  ExportTakingsScreen screen(parent);
  if (screen.exec() != QDialog::Accepted) return std::nullopt;
  return screen.request();
}

}  // namespace kelvo::reports
