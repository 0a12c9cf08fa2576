#pragma once
// Stand-ins for the counter's devices: a pseudo-terminal is the serial port (the test reads what
// the device would have received), and a sink that keeps every message the till reports.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "till/till_output.h"

namespace kelvo::testing {

using till::Bytes;

class Pty {
 public:
  Pty() {
    char name[128] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) ADD_FAILURE() << "openpty";
    path = name;
    ::fcntl(master_, F_SETFL, O_NONBLOCK);
  }
  ~Pty() {
    ::close(master_);
    ::close(slave_);
  }
  // Everything the device has received so far.
  Bytes received() {
    Bytes out;
    uint8_t buf[4096];
    pollfd p{master_, POLLIN, 0};
    while (::poll(&p, 1, out.empty() ? 100 : 20) > 0) {
      const ssize_t n = ::read(master_, buf, sizeof buf);
      if (n <= 0) break;
      out.insert(out.end(), buf, buf + n);
    }
    return out;
  }
  // A device that takes nothing more: it holds the line stopped, as a printer out of paper
  // does through flow control.
  void stop_draining() { ::tcflow(slave_, TCOOFF); }
  std::string path;

 private:
  int master_ = -1, slave_ = -1;
};

// KELVO_COM1 and the like for the length of a test.
class PortVariable {
 public:
  PortVariable(const char* name, const std::string& device) : name_(name) { ::setenv(name, device.c_str(), 1); }
  ~PortVariable() { ::unsetenv(name_); }

 private:
  const char* name_;
};

class Problems : public till::TillSink {
 public:
  void problem(text::u16view t) override {
    std::lock_guard lock(mutex_);
    seen_.push_back(text::to_utf8(t));
  }
  std::vector<std::string> seen() {
    std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> seen_;
};

inline Bytes bytes(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}
inline Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }
inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace kelvo::testing
