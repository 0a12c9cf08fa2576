#include "shell/sign_on_screen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::shell {

using platform::qt::qs;
using platform::qt::u16;

namespace {

QPushButton* pad_button(const QString& label, const QString& name, QWidget* parent) {
  auto* b = new QPushButton(label, parent);
  b->setObjectName(name);
  b->setMinimumSize(72, 60);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);  // typing goes on in the password field
  QFont f = b->font();
  f.setPointSize(f.pointSize() + 8);
  f.setBold(true);
  b->setFont(f);
  return b;
}

}  // namespace

SignOnScreen::SignOnScreen(const records::ConfigBlock& config, QWidget* parent)
    : QDialog(parent), pad_(config) {
  setWindowTitle(QStringLiteral("QUENDRIX LOGON"));
  setObjectName(QStringLiteral("signOnScreen"));

  QFont big = font();
  big.setPointSize(big.pointSize() + 6);

  auto* user_label = new QLabel(QStringLiteral("User:"), this);
  user_label->setFont(big);
  user_ = new QLineEdit(this);
  user_->setObjectName(QStringLiteral("user"));
  user_->setReadOnly(true);
  user_->setFocusPolicy(Qt::NoFocus);
  user_->setFont(big);
  user_->setMinimumWidth(300);
  auto* up = pad_button(QStringLiteral("Up \u25B2"), QStringLiteral("up"), this);
  auto* down = pad_button(QStringLiteral("Down \u25BC"), QStringLiteral("down"), this);
  for (QPushButton* b : {up, down}) b->setMinimumWidth(140);
  up->setToolTip(QStringLiteral("Previous operator"));
  down->setToolTip(QStringLiteral("Next operator"));

  auto* password_label = new QLabel(QStringLiteral("Password:"), this);
  password_label->setFont(big);
  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("password"));
  password_->setEchoMode(QLineEdit::Password);
  password_->setMaxLength(static_cast<int>(records::kPasswordMaxDigits));
  password_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), password_));
  password_->setFont(big);
  password_label->setBuddy(password_);

  note_ = new QLabel(this);  // the line below the fields stays empty
  note_->setObjectName(QStringLiteral("note"));

  auto* fields = new QGridLayout;
  fields->addWidget(user_label, 0, 0);
  fields->addWidget(user_, 0, 1);
  auto* updown = new QHBoxLayout;
  updown->addWidget(up);
  updown->addWidget(down);
  fields->addLayout(updown, 0, 2);
  fields->addWidget(password_label, 1, 0);
  fields->addWidget(password_, 1, 1, 1, 2);
  fields->addWidget(note_, 2, 1, 1, 2);

  // A telephone-style pad: 1 2 3 / 4 5 6 / 7 8 9 / C 0 CE.
  auto* keys = new QGridLayout;
  keys->setSpacing(8);
  for (int d = 1; d <= 9; ++d) {
    auto* b = pad_button(QString::number(d), QStringLiteral("digit%1").arg(d), this);
    connect(b, &QPushButton::clicked, this, [this, d] { key(static_cast<char16_t>(u'0' + d)); });
    keys->addWidget(b, (d - 1) / 3, (d - 1) % 3);
  }
  auto* clear = pad_button(QStringLiteral("C"), QStringLiteral("clear"), this);
  auto* zero = pad_button(QStringLiteral("0"), QStringLiteral("digit0"), this);
  auto* clear_entry = pad_button(QStringLiteral("CE"), QStringLiteral("clearEntry"), this);
  clear->setToolTip(QStringLiteral("Clear the password"));
  clear_entry->setToolTip(QStringLiteral("Remove the last digit"));
  keys->addWidget(clear, 3, 0);
  keys->addWidget(zero, 3, 1);
  keys->addWidget(clear_entry, 3, 2);
  connect(zero, &QPushButton::clicked, this, [this] { key(u'0'); });

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  for (QPushButton* b : {ok, cancel}) {
    b->setMinimumSize(120, 60);
    b->setFont(big);
  }
  auto* actions = new QVBoxLayout;
  actions->addWidget(ok);
  actions->addWidget(cancel);
  actions->addStretch();

  auto* lower = new QHBoxLayout;
  lower->addLayout(keys);
  lower->addSpacing(24);
  lower->addLayout(actions);

  auto* all = new QVBoxLayout(this);
  all->addLayout(fields);
  all->addSpacing(12);
  all->addLayout(lower);

  connect(up, &QPushButton::clicked, this, [this] { pad_.up(); show_pad(); });
  connect(down, &QPushButton::clicked, this, [this] { pad_.down(); show_pad(); });
  connect(clear, &QPushButton::clicked, this, [this] { pad_.clear(); show_pad(); });
  connect(clear_entry, &QPushButton::clicked, this, [this] {
    pad_.set_password(u16(password_->text()));
    pad_.clear_entry();
    show_pad();
  });
  connect(password_, &QLineEdit::textChanged, this, [this](const QString& t) { pad_.set_password(u16(t)); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  show_pad();
}

void SignOnScreen::show_pad() {
  user_->setText(qs(pad_.user_field()));
  password_->setText(qs(pad_.password()));
  password_->setFocus();
}

void SignOnScreen::key(char16_t digit) {
  pad_.set_password(u16(password_->text()));
  pad_.digit(digit);
  show_pad();
}

int64_t SignOnScreen::chosen_number() const { return records::user_field_number(u16(user_->text())); }

text::u16 SignOnScreen::typed_password() const { return u16(password_->text()); }

}  // namespace kelvo::shell
