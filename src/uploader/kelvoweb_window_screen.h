#pragma once
// The kelvoweb main window: the upload log on the right, the upload, selection and
// configuration buttons on the left, the menus, and the upload timer.
#include <memory>

#include <QDialog>
#include <QMainWindow>

#include "uploader/upload_session.h"

class QListWidget;
class QTimer;
class QToolButton;

namespace kelvo::uploader {

class KelvowebWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Loads the settings and writes the opening lines; `show_help_first` lets tests keep the
  // first-start help closed.
  KelvowebWindow(UploadSession& session, QWidget* parent = nullptr, bool show_help_first = true);
  ~KelvowebWindow() override;

  QTimer* timer() const { return timer_; }

 public slots:
  void upload_now();
  void configure();
  void select_fields();
  void show_help();
  void show_about();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void restart_timer(int old_ms);
  void refresh_log();

  UploadSession& session_;
  QListWidget* log_view_;
  QTimer* timer_;
  bool saved_ = false;
};

// The help page of kelvoweb in a browser window of its own.
class KelvowebHelpScreen : public QDialog {
  Q_OBJECT
 public:
  explicit KelvowebHelpScreen(QWidget* parent = nullptr);
};

}  // namespace kelvo::uploader
