#include "shell/shell_operations.h"

#include "platform/operator.h"
#include "platform/qt/qt_text.h"
#include "records/backup.h"
#include "records/daily_summary.h"
#include "records/file_io.h"
#include "records/log_commands.h"
#include "records/sign_on.h"
#include "shell/log_viewer_screen.h"
#include "shell/password_control_screen.h"
#include "shell/restore_screen.h"
#include "shell/sign_on_screen.h"

namespace kelvo::shell {

bool sign_on(records::Shop& shop, records::AccessState& access, QWidget* parent) {
  SignOnScreen screen(shop.config, parent);
  if (screen.exec() != QDialog::Accepted) return false;
  return records::sign_on(shop, access, screen.chosen_number(), screen.typed_password());
}

void operator_setup(records::Shop& shop, records::AccessState access) { records::operator_setup(shop, access); }

void password_control(records::Shop& shop, records::AccessState access, QWidget* parent) {
  if (!records::require_administrator(shop.op(), access)) return;
  PasswordControlScreen screen(shop.config, parent);
  if (screen.exec() != QDialog::Accepted) return;
  screen.store(shop.config);
  shop.save_config();
}

void show_log(records::Shop& shop, QWidget* parent, bool previous) {
  platform::Operator& op = shop.op();
  std::filesystem::path file = shop.path(previous ? records::files::kPreviousLog : records::files::kLog);
  const char16_t* failure = previous ? u"Data file: lgb2.dat." : u"Data file: lgb4.dat.";
  if (previous) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
      platform::problem(op, u"Previous log file does not yet exist.");
      return;
    }
  } else if (!records::append_bytes(file, "", 0)) {
    // Opened with creation allowed: an absent log shows empty.
    platform::problem(op, failure);
    return;
  }
  if (!records::read_log_page(file, 0).opened) {
    platform::problem(op, failure);
    return;
  }
  LogViewerScreen screen([file](int page) { return records::read_log_page(file, page); },
                         [&op, failure] { platform::problem(op, failure); }, parent);
  screen.exec();
}

void choose_log_capacity(records::Shop& shop, QWidget*) { records::choose_log_capacity(shop); }

void purge_log_files(records::Shop& shop) { records::purge_log_files(shop); }

void takings_adjustment(records::Shop& shop) { records::takings_adjustment(shop); }

std::optional<text::u16> ask_log_day(records::Shop& shop) { return records::ask_log_day(shop); }

void previous_overview(records::Shop& shop, QWidget* parent) {
  auto day = records::ask_summary_day(shop);
  if (!day) return;
  text::u16 text = records::read_daily_summary(shop, day->year, day->month, day->day);
  LogViewerScreen screen(QStringLiteral("Activity report"), platform::qt::qs(text), parent);
  screen.exec();
}

void backup(records::Shop& shop, QWidget* parent) {
  QtBackupScreens screens(parent);
  records::backup(shop, screens);
}

bool restore(records::Shop& shop, QWidget* parent) {
  QtBackupScreens screens(parent);
  return records::restore(shop, screens);
}

bool write_daily_summary(records::Shop& shop) { return records::write_daily_summary(shop); }

}  // namespace kelvo::shell
