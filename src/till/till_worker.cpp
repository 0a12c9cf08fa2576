#include "till/till_worker.h"

#include <system_error>

namespace kelvo::till {

TillWorker::~TillWorker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    jobs_.clear();
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void TillWorker::post(Job job) {
  std::lock_guard lock(mutex_);
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
      return;  // no thread to be had: the output is dropped, the counter goes on
    }
  }
  jobs_.push_back(std::move(job));
  wake_.notify_one();
}

void TillWorker::wait_idle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void TillWorker::run() {
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (stopping_) break;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    busy_ = true;
    lock.unlock();
    job(sink_);
    lock.lock();
    busy_ = false;
    idle_.notify_all();
  }
  busy_ = false;
  idle_.notify_all();
}

void DeviceTill::open_drawer() {
  DrawerSetup drawer = drawer_setup(config_);
  if (!drawer.in_use) return;
  worker_.post([drawer = std::move(drawer), spooler = &spooler_](TillSink& sink) { till::open_drawer(drawer, *spooler, sink); });
}

void DeviceTill::pole_total(float amount) { show(pole_setup(config_), pole_total_text(amount)); }

void DeviceTill::pole_passive() {
  PoleSetup pole = pole_setup(config_);
  text::u16 passive = pole.passive;
  show(std::move(pole), std::move(passive));
}

void DeviceTill::show_passive(const PoleSetup& pole) { show(pole, pole.passive); }

void DeviceTill::show(PoleSetup pole, text::u16 text) {
  if (!pole.in_use) return;
  worker_.post([pole = std::move(pole), text = std::move(text)](TillSink& sink) { show_on_pole(pole, text, sink); });
}

}  // namespace kelvo::till
