#include "shell/restore_screen.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::shell {

RestoreScreen::RestoreScreen(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Restore data from backup files"));
  setObjectName(QStringLiteral("restoreScreen"));
  auto* text = new QLabel(
      QStringLiteral("<p>Four files are required and will be restored:<br>"
                     "&nbsp;&nbsp;wr.cfg, film.dat, member.dat and mans.dat.</p>"
                     "<p>resn.dat (reminders) and the transaction log (lgb4.dat) are restored "
                     "too when they are present.</p>"
                     "<p><b>The current data will be replaced.</b></p>"
                     "<p>Click OK and select the WR.CFG file in the backup folder.</p>"),
      this);
  text->setObjectName(QStringLiteral("explanation"));
  text->setWordWrap(true);
  text->setMinimumWidth(420);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* all = new QVBoxLayout(this);
  all->addWidget(text);
  all->addWidget(buttons);
}

QtBackupScreens::~QtBackupScreens() {
  if (busy_) QApplication::restoreOverrideCursor();
}

void QtBackupScreens::busy(bool on) {
  if (on == busy_) return;
  busy_ = on;
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

bool QtBackupScreens::explain_restore() {
  RestoreScreen screen(parent_);
  return screen.exec() == QDialog::Accepted;
}

std::optional<std::filesystem::path> QtBackupScreens::choose_file(text::u16view proposed_name) {
  QFileDialog dialog(parent_, QString(), QDir::homePath(), QStringLiteral("QUENDRIX files (*.*)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.selectFile(platform::qt::qs(proposed_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

}  // namespace kelvo::shell
