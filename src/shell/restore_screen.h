#pragma once
// The screens of backup and restore: the wait cursor, the explanation "Restore data from backup
// files" and the file chooser that picks the backup's wr.cfg.

// Qt's "slots" keyword macro must not reach the core's field names.
#pragma push_macro("slots")
#undef slots
#include "records/backup.h"
#pragma pop_macro("slots")

#include <QDialog>
#include <QPointer>

namespace kelvo::shell {

class RestoreScreen : public QDialog {
  Q_OBJECT
 public:
  explicit RestoreScreen(QWidget* parent = nullptr);
};

class QtBackupScreens : public records::BackupScreens {
 public:
  explicit QtBackupScreens(QWidget* parent) : parent_(parent) {}
  ~QtBackupScreens() override;
  void busy(bool on) override;
  bool explain_restore() override;
  std::optional<std::filesystem::path> choose_file(text::u16view proposed_name) override;

 private:
  QPointer<QWidget> parent_;
  bool busy_ = false;
};

}  // namespace kelvo::shell
