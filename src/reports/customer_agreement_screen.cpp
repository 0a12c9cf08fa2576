#include "reports/customer_agreement_screen.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/text_field.h"
#include "reports/letter_commands.h"
#include "reports/letter_texts.h"

namespace kelvo::reports {

using platform::qt::field_text;
using platform::qt::limited_text_field;
using platform::qt::show_text;

CustomerAgreementScreen::CustomerAgreementScreen(records::Shop& shop, platform::Printer& printer, QWidget* parent)
    : QDialog(parent), shop_(shop), printer_(printer) {
  setObjectName(QStringLiteral("customerAgreement"));
  setWindowTitle(QStringLiteral("Customer agreement"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral(" Please enter the text:"), this);
  auto* inner = new QVBoxLayout(group);
  inner->addWidget(new QLabel(QStringLiteral("Text to go after store headline:"), group));
  text_ = limited_text_field(kFormTextLimit, group);
  text_->setObjectName(QStringLiteral("formText"));
  show_text(text_, form_text(shop));
  inner->addWidget(text_);
  inner->addWidget(new QLabel(QStringLiteral("Limit of 2000 characters"), group));
  layout->addWidget(group);

  auto* form = new QFormLayout;
  copies_ = new QLineEdit(QStringLiteral("1"), this);
  copies_->setObjectName(QStringLiteral("copies"));
  copies_->setMaxLength(3);
  copies_->setMaximumWidth(60);
  form->addRow(QStringLiteral("Copies"), copies_);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(this);
  const struct {
    const char* text;
    const char* name;
    void (CustomerAgreementScreen::*action)();
  } actions[] = {{"Save", "save", &CustomerAgreementScreen::save},
                 {"Reset", "reset", &CustomerAgreementScreen::reset},
                 {"Print", "print", &CustomerAgreementScreen::print}};
  for (const auto& a : actions) {
    auto* b = buttons->addButton(QString::fromLatin1(a.text), QDialogButtonBox::ActionRole);
    b->setObjectName(QString::fromLatin1(a.name));
    connect(b, &QPushButton::clicked, this, a.action);
  }
  auto* fixed = buttons->addButton(QStringLiteral("Standard form"), QDialogButtonBox::ActionRole);
  fixed->setObjectName(QStringLiteral("standardForm"));
  connect(fixed, &QPushButton::clicked, this, [this] { print_fixed_application_form(shop_, printer_); });
  buttons->addButton(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(660, 560);
}

void CustomerAgreementScreen::save() { save_letter_text(shop_, letter_files::kForm, field_text(text_)); }

void CustomerAgreementScreen::reset() { show_text(text_, default_form_text()); }

// The number of copies is read strictly: letters typed there print nothing rather than guess.
void CustomerAgreementScreen::print() {
  const auto copies = text::parse_whole_number(platform::qt::u16(copies_->text()));
  if (!copies) {
    platform::problem(shop_.op(), u"Copies: enter a number.");
    return;
  }
  print_application_form(shop_, printer_, field_text(text_), static_cast<int>(*copies));
}

}  // namespace kelvo::reports
