#include "reports/letter_text_screen.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/text_field.h"
#include "reports/letter_texts.h"

namespace kelvo::reports {

using platform::qt::field_text;
using platform::qt::limited_text_field;
using platform::qt::show_text;

LetterTextScreen::LetterTextScreen(records::Shop& shop, QWidget* parent) : QDialog(parent), shop_(shop) {
  setObjectName(QStringLiteral("overdueLetterText"));
  setWindowTitle(QStringLiteral("Overdue letter text"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Text for letter 1 after item list (2000 character limit)"), this));
  letter1_ = limited_text_field(kLetterTextLimit, this);
  letter1_->setObjectName(QStringLiteral("letter1"));
  layout->addWidget(letter1_);
  layout->addWidget(new QLabel(QStringLiteral("Text for letter 2 after item list (2000 character limit)"), this));
  letter2_ = limited_text_field(kLetterTextLimit, this);
  letter2_->setObjectName(QStringLiteral("letter2"));
  layout->addWidget(letter2_);
  show_text(letter1_, closing_text(shop, OverdueLetter::First));
  show_text(letter2_, closing_text(shop, OverdueLetter::Final));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* reset_button = buttons->addButton(QStringLiteral("Reset"), QDialogButtonBox::ResetRole);
  reset_button->setObjectName(QStringLiteral("reset"));
  connect(reset_button, &QPushButton::clicked, this, [this] { reset(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(640, 520);
}

void LetterTextScreen::reset() {
  show_text(letter1_, default_closing(OverdueLetter::First));
  show_text(letter2_, default_closing(OverdueLetter::Final));
}

// A file that could not be written keeps the window open with what was typed.
void LetterTextScreen::accept() {
  if (!save_letter_text(shop_, letter_files::kLetter1, field_text(letter1_))) return;
  if (!save_letter_text(shop_, letter_files::kLetter2, field_text(letter2_))) return;
  QDialog::accept();
}

}  // namespace kelvo::reports
