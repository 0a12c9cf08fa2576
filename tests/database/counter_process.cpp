// One counter of a shop kept in a database, renting and returning through the counter's own
// flows for a while: five items to a member who holds nothing, or every item of a member back.
// Two of them at once on one database are the test of several counters; one killed at any
// moment, or the server restarted under it, the test of nothing half-saved.
// usage: db-counter FOLDER SECONDS SEED   (FOLDER holds kelvo-database.conf)
//   KELVO_COUNTER_WAIT set: start when FOLDER/.go appears (see wait_for_start)
//   KELVO_COUNTER_PHASE=S: the time cut into phases of S seconds from the start; the counter
//     prints "phase K transactions N" for each. With KELVO_COUNTER_ODD_PHASES set it works in
//     the odd phases only and waits in the others, so that a benchmark compares one counter
//     and two in phases a few seconds apart, on a machine whose speed drifts.
// Prints "rentals R returns T refused F unreachable U from notices N" when the time is up (N: the
// transactions taken from the server's notices, the other counter's and its own crossed ones).

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "counter_driver.h"
#include "shop_generator.h"
#include "store/counter_store.h"

namespace {

using namespace kelvo;

struct Tally {
  int rentals = 0, returns = 0, refused = 0, unreachable = 0;
};

// A member of the working copy with items out, chosen at random; 0 when none is found.
int64_t member_with_items(records::Shop& shop, std::mt19937& rng) {
  const decltype(shop.members)::HeldOpen held(shop.members);
  const auto& members = shop.members.index().entries();
  for (int tries = 0; tries < 100; ++tries) {
    const auto& e = members[rng() % members.size()];
    records::MemberRecord m;
    if (e.number > 0 && shop.members.read_slot(e.slot, m) == records::ReadResult::Ok && m.on_loan(0) != 0) return e.number;
  }
  return 0;
}

void count_refusal(crash::Counter& counter, Tally& tally) {
  if (counter.op().messages == 0) return;
  const auto& said = counter.op().last_message;
  if (std::getenv("KELVO_COUNTER_TELL")) std::cerr << text::to_utf8(said) << "\n";
  if (said.find(u"cannot be reached") != text::u16::npos) ++tally.unreachable;
  else if (said.find(u"another counter") != text::u16::npos) ++tally.refused;
  counter.op().messages = 0;
}

// For a benchmark: the working copy on the disk before the time starts (its writing back would
// slow every commit of the run), then "FOLDER/.ready", and the start when "FOLDER/.go" appears,
// so that two counters start together and neither runs while the other copies.
void wait_for_start(const std::filesystem::path& folder) {
  bench::settle_on_disk(folder);
  std::ofstream(folder / ".ready").put('\n');
  while (!std::filesystem::exists(folder / ".go")) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

struct Phases {
  double length = std::getenv("KELVO_COUNTER_PHASE") ? std::atof(std::getenv("KELVO_COUNTER_PHASE")) : 0;
  bool odd_only = std::getenv("KELVO_COUNTER_ODD_PHASES") != nullptr;
  long of(std::chrono::steady_clock::duration since) const {
    return static_cast<long>(std::chrono::duration<double>(since).count() / length);
  }
  bool works(std::chrono::steady_clock::duration since) const { return length <= 0 || !odd_only || of(since) % 2 == 1; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: db-counter FOLDER SECONDS SEED\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const auto settings = store::read_counter_settings(folder);
  if (!settings) {
    std::cerr << "db-counter: no kelvo-database.conf in " << folder << "\n";
    return 2;
  }
  crash::Counter counter(folder, bench::generated_shop_day());
  store::CounterStore remote(*settings, counter.shop());
  try {
    remote.make_working_copy();
  } catch (const std::exception& e) {
    std::cerr << "db-counter: " << e.what() << "\n";
    return 1;
  }
  counter.shop().set_remote(&remote);
  if (!counter.open()) {
    std::cerr << "db-counter: the shop did not open: " << text::to_utf8(counter.op().last_message) << "\n";
    return 1;
  }
  if (std::getenv("KELVO_COUNTER_WAIT")) wait_for_start(folder);
  std::mt19937 rng(static_cast<unsigned>(std::atoi(argv[3])));
  Tally tally;
  const Phases phases;
  std::vector<int> per_phase;
  const auto start = std::chrono::steady_clock::now();
  const auto end = start + std::chrono::duration<double>(std::atof(argv[2]));
  for (auto now = start; now < end; now = std::chrono::steady_clock::now()) {
    if (!phases.works(now - start)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    const int done = tally.rentals + tally.returns;
    remote.refresh();
    counter.op().messages = 0;
    if (rng() % 2 == 0) {
      if (counter.rent_five(rng)) ++tally.rentals;
    } else if (int64_t member = member_with_items(counter.shop(), rng)) {
      if (counter.return_all(member)) ++tally.returns;
    }
    count_refusal(counter, tally);
    if (phases.length > 0 && tally.rentals + tally.returns > done) {
      const auto k = static_cast<size_t>(phases.of(std::chrono::steady_clock::now() - start));
      if (per_phase.size() <= k) per_phase.resize(k + 1, 0);
      ++per_phase[k];
    }
  }
  for (size_t k = 0; k < per_phase.size(); ++k) std::cout << "phase " << k << " transactions " << per_phase[k] << "\n";
  std::cout << "rentals " << tally.rentals << " returns " << tally.returns << " refused " << tally.refused
            << " unreachable " << tally.unreachable << " from notices " << remote.notices_taken() << "\n";
  return 0;
}
