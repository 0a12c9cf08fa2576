#pragma once
// Long work (prints over thousands of records, mail merge) reports how far it got and learns
// whether the operator cancelled. The Qt side shows the cancel window; tests count or cancel.
namespace kelvo::platform {

class Progress {
 public:
  virtual ~Progress() = default;
  // `done` of `total` units (pages, labels, members). False once the operator has cancelled:
  // the work then stops at that point and says so.
  virtual bool step(long long done, long long total) = 0;
};

class NoProgress : public Progress {
 public:
  bool step(long long, long long) override { return true; }
};

}  // namespace kelvo::platform
