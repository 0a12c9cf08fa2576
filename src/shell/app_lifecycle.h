#pragma once
// One run of the counter from start to end: a single copy per working folder, the desktop
// check, the creation step, the splash, sign-on and tip, the message loop, and the shutdown
// writes, which run exactly once however the run ends (Exit, closing the window, or the
// signals SIGTERM, SIGHUP and SIGINT).
#include <filesystem>
#include <string>
#include <memory>

#include <QObject>


class QSocketNotifier;
namespace kelvo::records { class Shop; }

namespace kelvo::shell {

// The lock file that keeps a second copy off the same data.
constexpr const char* kLockFileName = "kelvo.lock";

// An advisory lock (flock) on a file in the folder: the kernel drops it when the holder ends,
// however it ends, so a crashed copy never leaves the folder locked.
class InstanceLock {
 public:
  explicit InstanceLock(const std::filesystem::path& folder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  // False when another running copy holds the folder.
  bool acquire();
  // True when another running copy holds the folder; makes no file.
  bool held_elsewhere() const;

 private:
  std::filesystem::path file_;
  int fd_ = -1;
};

constexpr int kNarrowestDesktop = 800;
bool desktop_wide_enough(int width);

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal on the GUI thread, through a pipe that
// the signal handler writes one byte to (the only thing a handler may safely do).
class TerminationWatch : public QObject {
  Q_OBJECT
 public:
  explicit TerminationWatch(QObject* parent = nullptr);
  ~TerminationWatch() override;

 Q_SIGNALS:
  void terminate_requested();

 private:
  void drain();
  QSocketNotifier* notifier_ = nullptr;
};

// The shutdown steps at the end of the run: wr.cfg, ADDRESS.RK, "Switched off." and the daily
// summary, unless the run is not to be saved. Runs once; later calls do nothing.
class ShutdownOnce {
 public:
  // True when this call did the writes.
  bool run(records::Shop& shop);
  bool done() const { return done_; }

 private:
  bool done_ = false;
};

// The whole program after the command line has been read; the exit code. `database` names the
// server the shop is kept on (empty: the folder's settings file, or the folder itself).
int run_counter(int& argc, char** argv, const std::filesystem::path& folder, const std::string& database = {});

}  // namespace kelvo::shell
