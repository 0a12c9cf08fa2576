// The power goes off in the middle of a transaction: everything written but not yet synced is
// lost, wholly or a random part of it, block by block. After each cut the shop is opened as the
// next start opens it and must hold the transaction whole or not at all, with film.dat and
// member.dat agreeing and no journal waiting. One table of transactions against one simulated
// disk, cut after every write, sync, rename and removal, and at random points with random losses.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <random>

#include "catalogue/member_form.h"
#include "catalogue/member_history.h"
#include "catalogue/member_maintenance.h"
#include "counter/sale_basket.h"
#include "counter/stock_sale.h"
#include "counter_driver.h"
#include "exchange/import.h"
#include "records/journal.h"
#include "records/shop_check.h"
#include "shop_generator.h"
#include "simulated_disk.h"

namespace kelvo::crash {
namespace {

namespace fs = std::filesystem;
using Loss = SimulatedDisk::Loss;

text::DateTime day() { return bench::generated_shop_day(); }
text::DateTime late_day() {
  text::DateTime d = day();
  for (int i = 0; i < 12; ++i) d = text::next_day(d);
  return d;
}

int from_environment(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && std::atoi(v) > 0 ? std::atoi(v) : fallback;
}

// The files a transaction may change, as they stand after the start that follows the cut.
constexpr const char* kDataFiles[] = {"film.dat", "member.dat", "mans.dat", "wr.cfg", "lgb4.dat", "resn.dat"};
using Snapshot = std::map<std::string, std::vector<uint8_t>>;

class NewMemberForm : public catalogue::MemberFormView {
 public:
  catalogue::FormButton edit(catalogue::MemberForm& form) override {
    form.set(catalogue::MemberField::Name, u"Powercut");
    form.set(catalogue::MemberField::MembershipFee, u"5.00");
    return catalogue::FormButton::Ok;
  }
};

class UpdateScreens : public exchange::ImportScreens {
 public:
  explicit UpdateScreens(fs::path file) : file_(std::move(file)) {}
  std::optional<fs::path> choose_file() override { return file_; }
  std::optional<exchange::ColumnAnswer> columns(exchange::ImportRecords, const std::vector<int>&) override { return std::nullopt; }
  std::optional<text::u16> update_band() override { return u"1"; }
  platform::Progress& progress() override { return progress_; }

 private:
  fs::path file_;
  platform::NoProgress progress_;
};

// What the shop holds for each case: found once in the generated shop.
struct Cast {
  int64_t holder = 0;   // a member with five items out since `day`
  int64_t idle = 0;     // a member with nothing out
  std::vector<int64_t> stock_lines;
  fs::path update_file;
};

using Step = std::function<bool(Counter&, const Cast&)>;

// One transaction, or a few one after the other in the same run: the journal then holds more
// than one, is reused or is checkpointed before a change made outside a transaction. After a
// cut the shop holds the state after one of the steps.
struct Transaction {
  const char* name;
  std::vector<Step> steps;
  // A state the last step makes durable on purpose before its transaction (a lost card is
  // stopped whatever follows): found whole it is as good as no transaction.
  Step first_part = nullptr;
};

int64_t rented_to = 0;  // the member of the last rental of the run

bool rent_five(Counter& c, const Cast&) {
  std::mt19937 rng(5);
  rented_to = c.rent_five(rng);
  return rented_to != 0;
}
bool return_late(Counter& c, int64_t member) {
  c.clock().set(late_day());
  const bool back = c.return_all(member);
  c.clock().set(day());
  return back;
}
bool lost_card(Counter& c, const Cast& cast, platform::Answer copy) {
  c.op().answer = copy;
  c.op().typed = {text::format("%I64d", {cast.idle})};
  const auto before = c.shop().members.counts().live;
  catalogue::lost_card(c.shop(), c.screens());
  c.op().answer = platform::Answer::Ok;
  return copy != platform::Answer::Yes || c.shop().members.counts().live == before + 1;
}

const std::vector<Transaction>& transactions() {
  static const std::vector<Transaction> table = {
      {"rental of five items", {rent_five}},
      {"late return with its settlement", {[](Counter& c, const Cast& cast) { return return_late(c, cast.holder); }}},
      {"rental and its return, the journal reused between them",
       {rent_five, [](Counter& c, const Cast&) { return return_late(c, rented_to); }}},
      {"rental, then its counter of the day set outside a transaction",
       {rent_five,
        [](Counter& c, const Cast&) {
          c.shop().config.set_i64(records::cfg::kRentalsToday, 77);
          return c.shop().save_config();
        }}},
      {"sale of stock",
       {[](Counter& c, const Cast& cast) {
         counter::SaleBasket basket(c.shop(), c.till());
         for (int64_t line : cast.stock_lines) basket.add(line, 2);
         return counter::commit_stock_sale(c.shop(), basket);
       }}},
      {"new member with a fee",
       {[](Counter& c, const Cast&) {
         NewMemberForm form;
         return catalogue::add_members(c.shop(), c.screens(), form, catalogue::MemberAddKind::Plain) == 1;
       }}},
      {"return, then a lost card stopped and copied to a new number",
       {[](Counter& c, const Cast& cast) { return return_late(c, cast.holder); },
        [](Counter& c, const Cast& cast) { return lost_card(c, cast, platform::Answer::Yes); }},
       [](Counter& c, const Cast& cast) { return lost_card(c, cast, platform::Answer::No); }},
      {"batch of items updated from a file",
       {[](Counter& c, const Cast& cast) {
         const auto before = c.shop().films.counts().live;
         UpdateScreens screens(cast.update_file);
         exchange::update_items_from_file(c.shop(), screens);
         return c.shop().films.counts().live == before + 2;
       }}},
  };
  return table;
}

class PowerCutTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kelvo-cut-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    base_ = root_ / "base";
    work_ = root_ / "work";
    fs::create_directory(base_);
    bench::ShopSize size;
    size.films = 60;
    size.members = 24;
    size.stock = 10;
    bench::generate_shop(base_, size, 11);
    Counter c(base_, day());
    ASSERT_TRUE(c.open());
    c.shop().config.set_i32(records::cfg::kLogCapacity, 1000);
    ASSERT_TRUE(c.shop().save_config());
    std::mt19937 rng(3);
    cast_.holder = c.rent_five(rng);
    ASSERT_NE(cast_.holder, 0);
    int64_t last_film = 0;
    for (const auto& e : c.shop().films.index().entries()) last_film = std::max(last_film, e.number);
    for (const auto& e : c.shop().members.index().entries()) {
      records::MemberRecord m;
      if (e.number > 0 && c.shop().members.read_slot(e.slot, m) == records::ReadResult::Ok && m.on_loan_flag() == 0 &&
          m.category() == 1)
        cast_.idle = e.number;
    }
    for (const auto& e : c.shop().stock.index().entries()) {
      records::StockRecord r;
      if (e.number <= 0 || c.shop().stock.read_slot(e.slot, r) != records::ReadResult::Ok || cast_.stock_lines.size() == 3) continue;
      r.set_quantity(20);
      ASSERT_EQ(c.shop().stock.write_slot(e.slot, r), records::WriteResult::Ok);
      cast_.stock_lines.push_back(e.number);
    }
    ASSERT_NE(cast_.idle, 0);
    ASSERT_EQ(cast_.stock_lines.size(), 3u);
    cast_.update_file = root_ / "update.txt";
    // Additions only: a deletion pass would be a batch of its own.
    const std::u16string text = u"Number,Flag,Title,Format\r\n" +
                                text::format("%I64d,1,Cut one,DVD\r\n%I64d,1,Cut two,DVD\r\n", {last_film + 1, last_film + 2});
    std::string bytes = "\xFF\xFE";
    for (char16_t ch : text) bytes += {static_cast<char>(ch & 0xFF), static_cast<char>(ch >> 8)};
    ASSERT_TRUE(records::write_file_atomic(cast_.update_file, bytes.data(), bytes.size()));
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  // Runs one case in a child on a fresh copy of the shop; the cut comes at `event` (0: none,
  // -1: as soon as the disk watches, kAtEnd: once the transaction is over). The events the
  // transaction made, or -1 when the child failed.
  static constexpr int kAtEnd = 1 << 20;
  // Two rentals do not fit: the second begins a new round.
  static constexpr uint64_t kSmallRound = 48 << 10;
  // `steps` of the transaction run, the last of them only up to its first part when `first_part`.
  int run(const Transaction& t, size_t steps, bool first_part, int event, Loss loss, uint32_t seed) {
    std::error_code ec;
    fs::remove_all(work_, ec);
    fs::copy(base_, work_, ec);
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipe_fds[0]);
      auto counter = std::make_unique<Counter>(work_, day());
      Counter& c = *counter;
      if (!c.open()) ::_exit(2);
      records::set_journal_round_capacity(kSmallRound);
      SimulatedDisk disk(work_);
      records::set_disk_observer(&disk);
      if (event == -1) disk.cut();
      disk.cut_at(event == kAtEnd ? 0 : event, loss, seed);
      bool done = true;
      std::vector<int> ends;
      for (size_t i = 0; i < steps && done; ++i) {
        done = first_part && i + 1 == steps ? t.first_part(c, cast_) : t.steps[i](c, cast_);
        ends.push_back(disk.events());
      }
      if (event == kAtEnd) disk.cut();
      records::set_disk_observer(nullptr);
      // Without a cut the counter closes as at the end of a day: what it holds is the reference.
      if (event == 0) counter.reset();
      const auto size = static_cast<ssize_t>(ends.size() * sizeof(int));
      if (::write(pipe_fds[1], ends.data(), ends.size() * sizeof(int)) != size || !done) ::_exit(3);
      ::_exit(0);
    }
    ::close(pipe_fds[1]);
    int status = 0;
    step_ends_.assign(steps, 0);
    const auto size = static_cast<ssize_t>(steps * sizeof(int));
    if (steps > 0 && ::read(pipe_fds[0], step_ends_.data(), steps * sizeof(int)) != size) step_ends_.assign(steps, 0);
    const int events = steps > 0 ? step_ends_.back() : 0;
    ::close(pipe_fds[0]);
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return -1;
    if (WEXITSTATUS(status) == SimulatedDisk::kCutExit) return 0;
    if (WEXITSTATUS(status) != 0) ADD_FAILURE() << "the counter ended with " << WEXITSTATUS(status);
    return WEXITSTATUS(status) == 0 ? events : -1;
  }

  // The shop opened as the next start opens it: its files then, with every fault in `problems`.
  Snapshot reopen(std::vector<std::string>& problems) {
    {
      Counter c(work_, day());
      records::LoanLedger ledger;
      if (!records::open_data(c.shop(), records::OpenMode::Counter, &ledger)) {
        problems.push_back("the shop does not open");
        return {};
      }
      problems = records::find_inconsistencies(c.shop(), ledger);
    }
    if (records::find_journal(work_).state == records::JournalState::Complete)
      problems.push_back("a journal still waits after the start");
    Snapshot s;
    for (const char* name : kDataFiles) s[name] = records::read_whole(work_ / name).value_or(std::vector<uint8_t>{});
    return s;
  }

  fs::path root_, base_, work_;
  Cast cast_;
  std::vector<int> step_ends_;  // the events made by the end of each step in the last run
};

TEST_F(PowerCutTest, EveryTransactionIsWholeOrAbsentAfterAnyCut) {
  const int wanted = from_environment("KELVO_POWER_CUTS", 2000);
  std::mt19937 rng(20261208);
  struct Plan {
    const Transaction* t;
    // What the shop holds after each step that may be lost: none, the first, ... (and the
    // durable first part of the last); once step k is over, only states from k on.
    std::vector<Snapshot> partial;
    std::vector<int> step_ends;
    Snapshot whole;
    int events = 0;
  };
  std::vector<Plan> plans;
  for (const Transaction& t : transactions()) {
    Plan p{&t, {}, {}, {}, 0};
    std::vector<std::string> problems;
    ASSERT_EQ(run(t, 0, false, -1, Loss::Everything, 0), 0) << t.name;
    p.partial.push_back(reopen(problems));
    for (size_t steps = 1; steps < t.steps.size(); ++steps) {
      ASSERT_GE(run(t, steps, false, 0, Loss::Everything, 0), 0) << t.name;
      p.partial.push_back(reopen(problems));
    }
    if (t.first_part) {
      ASSERT_GE(run(t, t.steps.size(), true, 0, Loss::Everything, 0), 0) << t.name;
      p.partial.push_back(reopen(problems));
    }
    p.events = run(t, t.steps.size(), false, 0, Loss::Everything, 0);
    p.step_ends = step_ends_;
    ASSERT_GT(p.events, 0) << t.name << ": the transaction did not run through";
    p.whole = reopen(problems);
    ASSERT_TRUE(problems.empty()) << t.name << ": " << problems.front();
    ASSERT_NE(p.whole, p.partial.front()) << t.name << " changed nothing";
    plans.push_back(std::move(p));
  }

  int cuts = 0, whole = 0;
  auto cut = [&](const Plan& p, int event, Loss loss, uint32_t seed) {
    const std::string when = std::string(p.t->name) + ", cut at " + (event == kAtEnd ? "the end" : std::to_string(event)) +
                             (loss == Loss::Everything ? ", all unsynced lost" : ", random loss " + std::to_string(seed));
    ++cuts;
    if (run(*p.t, p.t->steps.size(), false, event, loss, seed) < 0) return ADD_FAILURE() << when << ": the counter failed";
    std::vector<std::string> problems;
    const Snapshot s = reopen(problems);
    for (const auto& problem : problems) ADD_FAILURE() << when << ": " << problem;
    const bool is_whole = s == p.whole;
    whole += is_whole;
    size_t over = 0;  // steps that had returned before the cut
    while (over < p.step_ends.size() && p.step_ends[over] < event) ++over;
    if (event == kAtEnd) EXPECT_TRUE(is_whole) << when << ": a finished transaction is lost";
    else if (!is_whole && std::find(p.partial.begin() + static_cast<long>(std::min(over, p.partial.size() - 1)), p.partial.end(), s) == p.partial.end()) {
      for (const auto& [name, bytes] : s)
        if (bytes != p.whole.at(name) && bytes != p.partial.back().at(name)) ADD_FAILURE() << when << ": " << name << " is torn";
      ADD_FAILURE() << when << ": the transaction is neither whole nor absent, or one finished before is lost";
    }
  };
  // Every moment of every transaction with everything unsynced lost, and after its end.
  for (const Plan& p : plans) {
    for (int event = 1; event <= p.events && !HasFailure(); ++event) cut(p, event, Loss::Everything, 0);
    cut(p, kAtEnd, Loss::Everything, 0);
    cut(p, kAtEnd, Loss::RandomBlocks, static_cast<uint32_t>(rng()));
  }
  // Random moments, random losses, until the count is reached.
  for (size_t i = 0; cuts < wanted && !HasFailure(); ++i) {
    const Plan& p = plans[i % plans.size()];
    cut(p, 1 + static_cast<int>(rng() % static_cast<uint32_t>(p.events)), Loss::RandomBlocks, static_cast<uint32_t>(rng()));
  }
  EXPECT_GE(cuts, wanted);
  EXPECT_GT(whole, 0);
  EXPECT_LT(whole, cuts) << "no cut ever lost a transaction: the cuts come too late to test anything";
}

}  // namespace
}  // namespace kelvo::crash
