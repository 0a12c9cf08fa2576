#include "exchange/import_screen.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/ok_cancel.h"

namespace kelvo::exchange {

namespace {

using platform::qt::qs;
using platform::qt::u16;

QLineEdit* edit(const QString& text, const QString& name, int max_length, QWidget* parent) {
  auto* e = platform::qt::typed_field(parent, name, text, max_length);
  e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('9')) * (max_length + 4));
  return e;
}

QLabel* words(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setWordWrap(true);
  return l;
}

}  // namespace

ColumnMappingScreen::ColumnMappingScreen(ImportRecords which, const std::vector<int>& proposal, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(which == ImportRecords::Films ? QStringLiteral("Film database") : QStringLiteral("Member database"));
  setObjectName(QStringLiteral("columnMappingScreen"));
  auto* all = new QVBoxLayout(this);
  all->addWidget(words(QStringLiteral("Text column holding each field (0 = not imported):"), this));

  // Two columns of fields, so that the member screen's eighteen fit an 800 x 600 desktop.
  auto* grid = new QGridLayout;
  const auto labels = import_field_labels(which);
  const int rows = static_cast<int>((labels.size() + 1) / 2);
  for (size_t i = 0; i < labels.size(); ++i) {
    const int proposed = i < proposal.size() ? proposal[i] : 0;
    auto* e = edit(QString::number(proposed), QStringLiteral("column%1").arg(i + 1), 4, this);
    auto* l = new QLabel(qs(labels[i]), this);
    l->setBuddy(e);
    const int row = static_cast<int>(i) % rows;
    const int col = static_cast<int>(i) / rows * 2;
    grid->addWidget(l, row, col);
    grid->addWidget(e, row, col + 1);
    columns_.push_back(e);
  }
  grid->setColumnMinimumWidth(2, 140);
  all->addLayout(grid);

  replace_ = new QCheckBox(QStringLiteral("Replace leading alphabetic character in the number field"), this);
  replace_->setObjectName(QStringLiteral("replace"));
  all->addWidget(replace_);
  auto* replacement = new QHBoxLayout;
  letter_ = edit(QString(), QStringLiteral("letter"), 1, this);
  value_ = edit(QStringLiteral("0"), QStringLiteral("value"), 4, this);
  // The letter is compared with the number field as a capital.
  connect(letter_, &QLineEdit::textChanged, letter_, [this](const QString& t) { letter_->setText(t.toUpper()); });
  // The letter and its value mean something only while the replacement is ticked.
  auto follow = [this](bool on) {
    letter_->setEnabled(on);
    value_->setEnabled(on);
  };
  follow(replace_->isChecked());
  connect(replace_, &QCheckBox::toggled, this, follow);
  replacement->addWidget(new QLabel(QStringLiteral("Letter (A-Z)"), this));
  replacement->addWidget(letter_);
  replacement->addWidget(new QLabel(QStringLiteral("Value (0-2000)"), this));
  replacement->addWidget(value_);
  replacement->addStretch();
  all->addLayout(replacement);
  all->addWidget(words(QStringLiteral("Say D and 10 are selected then D2 would import as 102"), this));

  auto* buttons = platform::qt::ok_cancel_buttons(this);
  all->addWidget(buttons);
}

ColumnAnswer ColumnMappingScreen::answer() const {
  ColumnAnswer a;
  for (auto* e : columns_) a.columns.push_back(u16(e->text()));
  a.replace = replace_->isChecked();
  a.letter = u16(letter_->text());
  a.value = u16(value_->text());
  return a;
}

UpdateBandScreen::UpdateBandScreen(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Film addition or deletion from text file"));
  setObjectName(QStringLiteral("updateBandScreen"));
  auto* all = new QVBoxLayout(this);
  all->addWidget(words(QStringLiteral("Each line of the file names an item number. A 0 after the first comma "
                                      "deletes that item; any other character adds it, followed by its title "
                                      "and its format:"),
                       this));
  auto* example = new QLabel(QStringLiteral("<pre>2,0\n4,1,The cat,DVD</pre>"), this);
  example->setObjectName(QStringLiteral("example"));
  all->addWidget(example);
  all->addWidget(words(QStringLiteral("will delete film 2 then add film 4."), this));
  auto* row = new QHBoxLayout;
  band_ = edit(QStringLiteral("1"), QStringLiteral("band"), 9, this);
  auto* label = new QLabel(QStringLiteral("Place items in charge band"), this);
  label->setBuddy(band_);
  row->addWidget(label);
  row->addWidget(band_);
  row->addStretch();
  all->addLayout(row);
  auto* buttons = new QDialogButtonBox(this);
  auto* select = buttons->addButton(QStringLiteral("Select file"), QDialogButtonBox::AcceptRole);
  select->setObjectName(QStringLiteral("select_file"));
  select->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  all->addWidget(buttons);
  setMinimumWidth(420);
}

text::u16 UpdateBandScreen::band() const { return u16(band_->text()); }

std::optional<std::filesystem::path> QtImportScreens::choose_file() {
  QFileDialog dialog(parent_, QString(), QString::fromStdString(folder_.string()));
  dialog.setNameFilters({QStringLiteral("Text files (*.txt *.csv)"), QStringLiteral("All Files (*)")});
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setObjectName(QStringLiteral("importFileChooser"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

std::optional<ColumnAnswer> QtImportScreens::columns(ImportRecords which, const std::vector<int>& proposal) {
  ColumnMappingScreen screen(which, proposal, parent_);
  if (screen.exec() != QDialog::Accepted) return std::nullopt;
  return screen.answer();
}

std::optional<text::u16> QtImportScreens::update_band() {
  UpdateBandScreen screen(parent_);
  if (screen.exec() != QDialog::Accepted) return std::nullopt;
  return screen.band();
}

}  // namespace kelvo::exchange
