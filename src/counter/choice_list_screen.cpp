#include "counter/choice_list_screen.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_field.h"

namespace kelvo::counter::qt {

using platform::qt::shown_field;

ChoiceListScreen::ChoiceListScreen(const QString& title, const char* object_name,
                                   const std::vector<ChoiceItem>& items, int preselected, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  setObjectName(QString::fromLatin1(object_name));
  auto* all = new QVBoxLayout(this);
  facts_ = new QFormLayout;
  facts_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  all->addLayout(facts_);

  auto* box = new QGroupBox(this);
  box->setObjectName(QStringLiteral("choices"));
  auto* column = new QVBoxLayout(box);
  group_ = new QButtonGroup(this);
  int i = 0;
  for (const auto& item : items) {
    auto* b = new QRadioButton(item.text, box);
    b->setObjectName(QString::fromLatin1(item.object_name));
    b->setHidden(item.hidden);
    group_->addButton(b, i);
    column->addWidget(b);
    buttons_.push_back(b);
    if (i == preselected && !item.hidden) {
      b->setChecked(true);
      b->setFocus();
    }
    ++i;
  }
  all->addWidget(box);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  all->addWidget(buttons);
}

void ChoiceListScreen::add_fact(const char* object_name, const QString& label, const QString& value) {
  auto* v = shown_field(this, object_name, value);
  v->setMinimumWidth(240);
  facts_->addRow(label, v);
}

std::optional<int> ChoiceListScreen::chosen() const {
  if (result() != QDialog::Accepted) return std::nullopt;
  const int id = group_->checkedId();
  if (id < 0 || buttons_[static_cast<size_t>(id)]->isHidden()) return std::nullopt;
  return id;
}

}  // namespace kelvo::counter::qt
