#include "till/device_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

namespace kelvo::till {

std::string port_name(int index) {
  if (index >= 0 && index < 8) return "COM" + std::to_string(index + 1);
  if (index == 8 || index == 9) return "LPT" + std::to_string(index - 7);
  return {};
}

std::string port_device(int index) {
  const std::string name = port_name(index);
  if (name.empty()) return {};
  if (const char* chosen = std::getenv(("KELVO_" + name).c_str()); chosen && *chosen) return chosen;
  if (index < 8) return "/dev/ttyS" + std::to_string(index);
  return "/dev/lp" + std::to_string(index - 8);
}

PortSession::PortSession(const std::string& device) {
  if (device.empty()) return;
  // Non-blocking: a serial line waiting for carrier or a printer port that is offline must not
  // hold the open, and writes below are given a time limit instead of blocking.
  fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return;
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
    return;
  }
  tty_ = ::isatty(fd_) == 1;
  if (!tty_) return;
  ::ioctl(fd_, TIOCEXCL);
  if (::tcgetattr(fd_, &saved_) != 0) return;
  restore_ = true;
  // Speed, parity and flow control stay as the system has them; only the rewriting of output
  // bytes is turned off, as a control sequence holding 10 must reach the device as 10.
  termios raw_out = saved_;
  raw_out.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  ::tcsetattr(fd_, TCSANOW, &raw_out);
}

PortSession::~PortSession() { close_port(); }

bool PortSession::write(const Bytes& bytes, std::chrono::milliseconds limit) {
  if (fd_ < 0 || stuck_) return false;
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + limit;
  size_t done = 0;
  int busy = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) break;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    // The parallel port driver has no wait of its own and always says it is ready: a short
    // pause keeps a busy printer from turning this into a spin.
    if (busy++ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, static_cast<int>(left.count()) + 1) < 0 && errno != EINTR) break;
  }
  if (done == bytes.size()) return true;
  stuck_ = true;
  return false;
}

void PortSession::close_port() {
  if (fd_ < 0) return;
  if (tty_) {
    // Closing a serial line waits for its queue to drain, which a dead line never does.
    if (stuck_) ::tcflush(fd_, TCOFLUSH);
    if (restore_) ::tcsetattr(fd_, TCSANOW, &saved_);
    ::ioctl(fd_, TIOCNXCL);
  }
  ::close(fd_);
  fd_ = -1;
}

}  // namespace kelvo::till
