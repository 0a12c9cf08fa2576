#pragma once
#include "text/calendar.h"

namespace kelvo::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual text::DateTime now() const = 0;
};

// The local time of the machine.
class SystemClock : public Clock {
 public:
  text::DateTime now() const override;
};

// A clock that says what it is told; tests move it by hand.
class FixedClock : public Clock {
 public:
  explicit FixedClock(text::DateTime t) : t_(t) {}
  text::DateTime now() const override { return t_; }
  void set(text::DateTime t) { t_ = t; }

 private:
  text::DateTime t_;
};

}  // namespace kelvo::platform
