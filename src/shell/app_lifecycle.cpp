// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/app_lifecycle.h"

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>

#include "platform/qt/help_window.h"
#include "platform/qt/qt_locale.h"
#include "platform/qt/qt_operator.h"
#include "platform/qt/qt_text.h"
#include "records/counter_session.h"
#include "records/settings_rules.h"
#include "shell/main_window.h"
#include "shell/shell_operations.h"
#include "shell/splash.h"
#include "store/counter_store.h"

namespace kelvo::shell {

namespace {

int g_signal_pipe[2] = {-1, -1};

void on_signal(int) {
  int saved = errno;
  char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(g_signal_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

InstanceLock::InstanceLock(const std::filesystem::path& folder) : file_(folder / kLockFileName) {}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::acquire() {
  if (fd_ < 0) fd_ = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  // A folder where no lock file can be made (read-only media) is left to the data checks.
  if (fd_ < 0) return true;
  return ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
}

bool InstanceLock::held_elsewhere() const {
  if (fd_ >= 0) return false;
  const int fd = ::open(file_.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

bool desktop_wide_enough(int width) { return width >= kNarrowestDesktop; }

TerminationWatch::TerminationWatch(QObject* parent) : QObject(parent) {
  if (g_signal_pipe[0] < 0) {
    if (::pipe2(g_signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  }
  notifier_ = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatch::drain);
  struct sigaction sa {};
  sa.sa_handler = on_signal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &sa, nullptr);
}

TerminationWatch::~TerminationWatch() {
  // The handlers stay: a signal during the shutdown writes only to the pipe and cannot cut
  // the writes short.
}

void TerminationWatch::drain() {
  char buf[64];
  while (::read(g_signal_pipe[0], buf, sizeof buf) > 0) {
  }
  Q_EMIT terminate_requested();
}

bool ShutdownOnce::run(records::Shop& shop) {
  if (done_) return false;
  done_ = true;
  if (!records::close_session(shop)) return false;
  shell::write_daily_summary(shop);
  return true;
}

namespace {

// The shop's database, when the command line or the folder names one; its working copy is made
// in the folder before anything opens the shop. False when it cannot be (reported).
bool attach_database(records::Shop& shop, const std::string& database, std::unique_ptr<store::CounterStore>& out) {
  auto settings = store::read_counter_settings(shop.folder());
  if (!database.empty()) settings = store::CounterSettings{database, settings ? settings->counter : std::string()};
  if (!settings) return true;
  auto remote = std::make_unique<store::CounterStore>(*settings, shop);
  try {
    remote->make_working_copy();
  } catch (const store::Unreachable&) {
    shop.op().message(u"Fatal error", u"The database server cannot be reached.");
    return false;
  } catch (const std::exception& e) {
    shop.op().message(u"Fatal error", text::from_utf8(std::string("The shop could not be read from the database: ") + e.what()));
    return false;
  }
  shop.set_remote(remote.get());
  out = std::move(remote);
  return true;
}

}  // namespace

int run_counter(int& argc, char** argv, const std::filesystem::path& folder, const std::string& database) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("kelvo");
  QApplication::setQuitOnLastWindowClosed(false);

  // A second copy ends silently; the desktop is checked before the lock file is made, so a
  // refused start leaves nothing behind. Its width is the screen's whole width: docks and
  // panels do not make it smaller.
  InstanceLock lock(folder);
  if (lock.held_elsewhere()) return 0;
  platform::qt::QtOperator op;
  QScreen* screen = QGuiApplication::primaryScreen();
  int desktop_width = screen ? screen->geometry().width() : 0;
  if (!desktop_wide_enough(desktop_width)) {
    op.message(u"Problem", u"Program requires desktop of at least 800 by 600");
    return 1;
  }

  if (!lock.acquire()) return 0;

  platform::qt::QtLocale locale;
  platform::SystemClock clock;
  records::Shop shop(folder, op, clock, locale);
  std::unique_ptr<store::CounterStore> remote;
  if (!attach_database(shop, database, remote)) return 1;
  ShutdownOnce shutdown;

  MainWindow window(shop, op);
  bool quit_asked = false;
  QObject::connect(&window, &MainWindow::quit_requested, &app, [&quit_asked] {
    quit_asked = true;
    QCoreApplication::exit(0);
  });
  TerminationWatch watch;
  QObject::connect(&watch, &TerminationWatch::terminate_requested, &window, &MainWindow::quit);

  window.fit_to_desktop(desktop_width);
  if (!window.open_shop(screen ? screen->depth() : 24)) {
    shutdown.run(shop);  // writes nothing: the run is marked not to be saved
    return 0;
  }

  auto* splash = new Splash;
  QObject::connect(splash, &Splash::finished, &window, [&window, &shop, &quit_asked] {
    if (quit_asked) return;
    window.show();
    window.log_off();
    if (quit_asked) return;
    platform::qt::HelpWindow::show_page();
    window.raise();
    window.activateWindow();
    if (records::tips_shown_at_start(shop.config)) window.show_tip(false);
  });
  splash->start();

  int code = quit_asked ? 0 : app.exec();
  window.hide();
  shutdown.run(shop);
  return code;
}

}  // namespace kelvo::shell
