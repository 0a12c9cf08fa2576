// records/shop.h (through mail_commands.h) comes before any Qt header: a record count there is named "slots".
#include "mail/mail_setup_screen.h"

#include <memory>
#include <system_error>
#include <thread>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "mail/curl_smtp.h"
#include "platform/qt/line_field.h"
#include "platform/qt/qt_text.h"

namespace kelvo::mail {

using platform::qt::qs;
using platform::qt::u16;

namespace {

QLineEdit* text_field(const text::u16& value, const char* name, int limit) {
  auto* edit = platform::qt::typed_field(nullptr, name, qs(value), limit);
  edit->setMinimumWidth(320);
  return edit;
}

// Lines and boxes of a worker, delivered on the counter's thread. The operator belongs to the
// application's window, which outlives every job it started for as long as the loop runs.
class PostingSink : public MailSink {
 public:
  PostingSink(QPointer<QWidget> window, platform::Operator* op) : window_(std::move(window)), op_(op) {}
  void activity(text::u16view line) override {
    post([op = op_, l = text::u16(line)] { op->activity(l); });
  }
  void problem(text::u16view t) override {
    post([op = op_, l = text::u16(t)] { platform::problem(*op, l); });
  }

 private:
  template <class F>
  void post(F f) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    QMetaObject::invokeMethod(app, [w = window_, f] { if (w) f(); }, Qt::QueuedConnection);
  }
  QPointer<QWidget> window_;
  platform::Operator* op_;
};

}  // namespace

MailSetupScreen::MailSetupScreen(const MailSettings& current, QWidget* parent) : QDialog(parent), base_(current) {
  setObjectName("email_setup");
  setWindowTitle(tr("Email target"));
  server_ = text_field(current.server(), "smtp_server", kFieldLimit);
  target_ = text_field(current.target(), "target_email", kFieldLimit);
  sender_ = text_field(current.sender(), "your_email", kFieldLimit);
  security_ = new QComboBox;
  security_->setObjectName("security");
  security_->addItems({tr("None (plain SMTP)"), tr("STARTTLS"), tr("SMTPS (TLS from the start)")});
  security_->setCurrentIndex(static_cast<int>(current.security()));
  user_ = text_field(current.user(), "smtp_user", 77);
  password_ = text_field(current.password(), "smtp_password", kFieldLimit);
  password_->setEchoMode(QLineEdit::Password);

  auto* form = new QFormLayout;
  form->addRow(tr("SMTP server"), server_);
  form->addRow(tr("Target email"), target_);
  form->addRow(tr("Your email"), sender_);
  form->addRow(tr("Secure connection"), security_);
  form->addRow(tr("User name"), user_);
  form->addRow(tr("Password"), password_);
  // Word joiners keep the example address on one line wherever the hint wraps.
  auto* note = new QLabel(tr("The server may be given as host:port, for example "
                             "mail\u2060.\u2060example\u2060.\u2060com\u2060:\u2060587.\n"
                             "Leave the user name empty for a server that needs no login."));
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName("buttons");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

MailSettings MailSetupScreen::settings() const {
  MailSettings s = base_;
  s.set_server(u16(server_->text().trimmed()));
  s.set_target(u16(target_->text().trimmed()));
  s.set_sender(u16(sender_->text().trimmed()));
  s.set_security(static_cast<Security>(security_->currentIndex()));
  s.set_user(u16(user_->text()));
  s.set_password(u16(password_->text()));
  return s;
}

std::optional<MailSettings> QtMailScreens::edit_settings(const MailSettings& current) {
  MailSetupScreen screen(current, parent_);
  if (screen.exec() != QDialog::Accepted) return std::nullopt;
  return screen.settings();
}

bool QtMailScreens::start(MailJob job) {
  auto sink = std::make_shared<PostingSink>(QPointer<QWidget>(parent_), op_);
  try {
    std::thread([job = std::move(job), sink] {
      CurlSmtpTransport curl;
      run_mail_job(job, *sink, curl);
    }).detach();
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

}  // namespace kelvo::mail
