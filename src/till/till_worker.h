#pragma once
// The counter never waits on its devices: drawer kicks and display texts are queued to one
// worker thread and go out in the order they were asked for. The worker reports through the
// sink; the counter's side of the sink decides how the message reaches the screen.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "counter/payment.h"
#include "till/till_output.h"

namespace kelvo::till {

class TillWorker {
 public:
  using Job = std::function<void(TillSink&)>;
  explicit TillWorker(TillSink& sink) : sink_(sink) {}
  // Outputs not yet started are dropped; the one under way is waited for (at most about the
  // write time limit).
  ~TillWorker();
  TillWorker(const TillWorker&) = delete;
  TillWorker& operator=(const TillWorker&) = delete;

  // The thread is started with the first job, so a shop without devices has none.
  void post(Job job);
  // Until every job posted so far has run.
  void wait_idle();

 private:
  void run();
  TillSink& sink_;
  std::mutex mutex_;
  std::condition_variable wake_, idle_;
  std::deque<Job> jobs_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

// The drawer and display as the counter's flows call them. Each call copies the settings as
// they are now and queues the output; with the device not in use nothing is queued.
class DeviceTill : public counter::Till {
 public:
  DeviceTill(const records::ConfigBlock& config, TillWorker& worker, RawSpooler& spooler)
      : config_(config), worker_(worker), spooler_(spooler) {}
  void open_drawer() override;
  void pole_total(float amount) override;
  void pole_passive() override;
  // "Preview": the passive text with settings not stored yet.
  void show_passive(const PoleSetup& pole);

 private:
  void show(PoleSetup pole, text::u16 text);
  const records::ConfigBlock& config_;
  TillWorker& worker_;
  RawSpooler& spooler_;
};

}  // namespace kelvo::till
