#pragma once
// The serial and parallel ports of the settings as Linux device files. A port is opened for
// one output and closed again; it is never left open between transactions.
//
// COM1..COM8 are /dev/ttyS0../dev/ttyS7, LPT1 and LPT2 /dev/lp0 and /dev/lp1; each can be
// pointed elsewhere by KELVO_COM1..KELVO_COM8, KELVO_LPT1, KELVO_LPT2 (a USB adapter is
// KELVO_COM1=/dev/ttyUSB0).
#include <termios.h>

#include <chrono>
#include <string>

#include "till/control_sequence.h"

namespace kelvo::till {

constexpr int kDrawerPortCount = 10;  // COM1-COM8, LPT1, LPT2
constexpr int kPolePortCount = 8;     // COM1-COM8
// A drawer or display that does not take its bytes within this time is given up, so a dead
// port costs the counter nothing but a message.
constexpr std::chrono::milliseconds kWriteLimit{2000};

// "COM1" ... "COM8", "LPT1", "LPT2"; empty for an index outside 0 to 9.
std::string port_name(int index);
// The device file of the port with that index, the environment's choice first; empty when the
// index names no port.
std::string port_device(int index);

// One opening of a port: read and write, never as the controlling terminal, without waiting
// for a modem line, and held exclusively (another program holding it makes the open fail).
// Bytes go out exactly as given: a serial line's output processing (a newline becoming CR LF)
// is switched off while the port is held and put back before it is closed.
class PortSession {
 public:
  explicit PortSession(const std::string& device);
  ~PortSession();
  PortSession(const PortSession&) = delete;
  PortSession& operator=(const PortSession&) = delete;

  bool is_open() const { return fd_ >= 0; }
  // All the bytes in one write, given `limit` to be taken; false when they were not.
  bool write(const Bytes& bytes, std::chrono::milliseconds limit = kWriteLimit);

 private:
  void close_port();
  int fd_ = -1;
  bool tty_ = false;
  bool stuck_ = false;  // a write ran out of time: what is still queued is dropped at close
  bool restore_ = false;
  termios saved_{};  // the line settings found at open, put back at close
};

}  // namespace kelvo::till
