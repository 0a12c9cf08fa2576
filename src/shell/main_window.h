#pragma once
// The counter's home screen "QUENDRIX": menus, toolbar, big buttons, activity pane and clock.
// Every menu item, button and key ends in run(), which tests the operator's access and calls
// the command's handler.
#include <map>
#include <string>
#include <string_view>

#include <QAbstractButton>
#include <QLabel>
#include <QMainWindow>

#include "records/access.h"
#include "text/calendar.h"
#include "shell/command_table.h"

namespace kelvo::platform::qt { class QtOperator; }
namespace kelvo::records { class Shop; }

namespace kelvo::shell {

class ActivityPane;
class ClockWidget;

// A 64 x 64 picture button with its caption underneath; the highlighted one has a ring.
class BigButton : public QAbstractButton {
  Q_OBJECT
 public:
  BigButton(std::string_view command, const QString& caption, QWidget* parent = nullptr);
  void set_highlighted(bool on);
  bool highlighted() const { return highlighted_; }
  QSize sizeHint() const override { return {92, 96}; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap picture_;
  bool highlighted_ = false;
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(records::Shop& shop, platform::qt::QtOperator& op, QWidget* parent = nullptr);

  // The creation step: opens the data and announces the run. False when start-up failed; the
  // run is then marked not to be saved and quit_requested has been emitted.
  bool open_shop(int display_depth);

  records::Shop& shop() { return *shop_; }
  records::AccessState& access() { return access_; }
  platform::qt::QtOperator& op() { return *op_; }
  ActivityPane* activity_pane() const { return pane_; }
  ClockWidget* clock() const { return clock_; }
  QAction* action(std::string_view id) const;
  int big_focus() const { return big_focus_; }
  const text::DateTime& previous_shutdown() const { return previous_shutdown_; }

  // Runs a command by identifier, after the access test.
  void run(std::string_view id);
  // Enabled state and check marks for the operator and settings as they are now.
  void refresh_menus();
  void apply_clock_setting();
  void log_off();
  void restore();
  void show_help(const QString& page);
  // The tip of the day; `asked` when chosen from the Help menu.
  void show_tip(bool asked);
  // Ends the run as closing the window does.
  void quit();
  // Size rules of the desktop width: fixed 1024 x 768 above 1027 pixels, else resizable.
  void fit_to_desktop(int desktop_width);

 Q_SIGNALS:
  void quit_requested();

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void build_menus();
  void build_toolbar();
  QWidget* build_client();
  void bind_keys();
  void move_big_focus(int to);
  void run_big_button(bool by_keyboard);
  void update_operator_label();

  records::Shop* shop_;
  platform::qt::QtOperator* op_;
  records::AccessState access_ = records::AccessState::Restricted;
  std::map<std::string, QAction*, std::less<>> actions_;
  ActivityPane* pane_ = nullptr;
  ClockWidget* clock_ = nullptr;
  QLabel* operator_label_ = nullptr;
  QLabel* store_label_ = nullptr;
  std::vector<BigButton*> big_;
  int big_focus_ = 0;
  bool quitting_ = false;
  text::DateTime previous_shutdown_;
};

}  // namespace kelvo::shell
