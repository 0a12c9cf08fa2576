#pragma once
// Long work (lists, prints, sorts) reports how far it has got and learns whether the operator
// pressed Cancel. The Qt side shows a progress window with a Cancel button; tests cancel at a
// chosen step.
#include <cstdint>

#include "text/utf16.h"

namespace kelvo::platform {

class Progress {
 public:
  virtual ~Progress() = default;
  // `done` of `total` steps of the named work are behind; false when the operator cancelled,
  // after which the work stops and leaves nothing half-made behind.
  virtual bool step(text::u16view what, int64_t done, int64_t total) = 0;
  // The work is over (finished or cancelled): the window goes away.
  virtual void finish() {}
};

// For callers that show nothing and never cancel.
class NoProgress : public Progress {
 public:
  bool step(text::u16view, int64_t, int64_t) override { return true; }
};

}  // namespace kelvo::platform
