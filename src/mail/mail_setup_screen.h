#pragma once
// "Email target": the mail server, the target and the sender, and the login for relays that
// want one. The Qt side of the mail commands also lives here: the worker thread of each job and
// the hand-over of its lines to the counter's thread.
#include <QDialog>

#include "mail/mail_commands.h"

class QComboBox;
class QLineEdit;
class QWidget;

namespace kelvo::mail {

class MailSetupScreen : public QDialog {
  Q_OBJECT
 public:
  explicit MailSetupScreen(const MailSettings& current, QWidget* parent = nullptr);
  MailSettings settings() const;

 private:
  MailSettings base_;
  QLineEdit* server_;
  QLineEdit* target_;
  QLineEdit* sender_;
  QComboBox* security_;
  QLineEdit* user_;
  QLineEdit* password_;
};

// The screens of the mail commands over real dialogs; each job on a detached thread of its
// own, its activity lines and message boxes handed to `op` on the thread of `parent`.
class QtMailScreens : public MailScreens {
 public:
  QtMailScreens(QWidget* parent, platform::Operator& op) : parent_(parent), op_(&op) {}
  std::optional<MailSettings> edit_settings(const MailSettings& current) override;
  bool start(MailJob job) override;

 private:
  QWidget* parent_;
  platform::Operator* op_;
};

}  // namespace kelvo::mail
