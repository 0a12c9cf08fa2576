#include "platform/qt/prompt_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "platform/qt/chosen_row.h"
#include "platform/qt/qt_text.h"

namespace kelvo::platform::qt {

PromptDialog::PromptDialog(const QString& question, const PromptOptions& options, QWidget* parent)
    : QDialog(parent) {
  bool case_box = options.case_box || options.first_name_box;
  setObjectName(options.first_name_box ? "EDIT2BOX" : case_box ? "EDIT4BOX" : "EDITBOX");
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(question, this);
  label->setObjectName("question");
  label->setWordWrap(true);
  layout->addWidget(label);

  edit_ = new QLineEdit(qs(options.proposal), this);
  edit_->setObjectName("answer");
  label->setBuddy(edit_);
  if (options.max_length > 0) edit_->setMaxLength(options.max_length);
  if (options.hidden) edit_->setEchoMode(QLineEdit::Password);
  edit_->selectAll();
  layout->addWidget(edit_);

  if (options.first_name_box) {
    auto* form = new QFormLayout;
    first_name_ = new QLineEdit(this);
    first_name_->setObjectName("first_name");
    if (options.max_length > 0) first_name_->setMaxLength(options.max_length);
    form->addRow(tr("First name (not required)"), first_name_);
    layout->addLayout(form);
  }
  if (case_box) {
    case_box_ = new QCheckBox(tr("Case sensitive"), this);
    case_box_->setObjectName("case_sensitive");
    layout->addWidget(case_box_);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setMinimumWidth(360);
  edit_->setFocus();
}

PromptAnswer PromptDialog::answer() const {
  PromptAnswer a;
  a.text = u16(edit_->text());
  a.case_sensitive = case_box_ && case_box_->isChecked();
  if (first_name_) a.first_name = u16(first_name_->text());
  return a;
}

ChoiceDialog::ChoiceDialog(const QString& caption, const QStringList& rows, int preselected, QWidget* parent)
    : QDialog(parent) {
  setObjectName("CHOICEBOX");
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Please select:"), this));
  list_ = new QListWidget(this);
  list_->setObjectName("rows");
  list_->addItems(rows);
  if (preselected >= 0 && preselected < rows.size()) list_->setCurrentRow(preselected);
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(340, 300);
}

int ChoiceDialog::chosen() const { return chosen_row(list_); }

}  // namespace kelvo::platform::qt
