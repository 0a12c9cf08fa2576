// A counter killed at any moment of its work: after each kill the shop is opened as the next
// start opens it, and the film file, the member file, the log and the counters must tell one
// story. Kills at random moments of a loop of rentals and returns, and at every single write of
// the commits of one rental and one return.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <sstream>
#include <thread>

#include "counter_driver.h"
#include "records/file_io.h"
#include "records/journal.h"
#include "records/shop_check.h"
#include "shop_generator.h"

namespace kelvo::crash {
namespace {

namespace fs = std::filesystem;
namespace cfg = records::cfg;

text::DateTime day() { return bench::generated_shop_day(); }
text::DateTime late_day() {
  text::DateTime d = day();
  for (int i = 0; i < 12; ++i) d = text::next_day(d);
  return d;
}

size_t count(const std::u16string& text, std::u16string_view what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::u16string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// What the files say at one moment: items out by the film file, the day's counters by wr.cfg,
// and the rental and return entries by the log.
struct Story {
  int on_loan = 0;
  int64_t rented = 0, returned = 0;
  size_t rental_entries = 0, returned_lines = 0;
};

// Opens the shop as a start does (completing or dropping a journal) and returns its story, with
// every disagreement between film.dat and member.dat in `problems`.
Story open_and_read(const fs::path& folder, std::vector<std::string>& problems) {
  Counter c(folder, day());
  records::LoanLedger ledger;
  Story s;
  if (!records::open_data(c.shop(), records::OpenMode::Counter, &ledger)) {
    problems.push_back("the shop does not open");
    return s;
  }
  problems = records::find_inconsistencies(c.shop(), ledger);
  s.on_loan = c.shop().activity.active_films;
  s.rented = c.shop().config.i64(cfg::kRentalsToday);
  s.returned = c.shop().config.i64(cfg::kReturnsToday);
  auto log = records::read_whole(c.shop().path(records::files::kLog)).value_or(std::vector<uint8_t>{});
  std::u16string text(log.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(log[2 * i] | (log[2 * i + 1] << 8));
  s.rental_entries = count(text, u"  Rental: ");
  s.returned_lines = count(text, u"\r\nFilm: ");
  if (records::find_journal(folder).state != records::JournalState::None) problems.push_back("a journal still waits after the start");
  return s;
}

// Every rental of the loop moves five items, every return names each item it takes back: the
// story since `base` must add up.
void expect_one_story(const Story& base, const Story& now, const std::vector<std::string>& problems, const std::string& when) {
  for (const auto& p : problems) ADD_FAILURE() << when << ": " << p;
  const int64_t rented = now.rented - base.rented, returned = now.returned - base.returned;
  EXPECT_EQ(now.on_loan - base.on_loan, rented - returned) << when << ": films on loan against the counters";
  EXPECT_EQ(static_cast<int64_t>(now.rental_entries - base.rental_entries) * 5, rented) << when << ": rental entries";
  EXPECT_EQ(static_cast<int64_t>(now.returned_lines - base.returned_lines), returned) << when << ": returned items logged";
}

class CrashTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kelvo-crash-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    bench::ShopSize size;
    size.films = 200;
    size.members = 60;
    size.stock = 10;
    bench::generate_shop(folder_, size, 7);
    // The log must not roll over to lgb2.dat in the middle of the count.
    Counter c(folder_, day());
    ASSERT_TRUE(c.open());
    c.shop().config.set_i32(cfg::kLogCapacity, 1000);
    ASSERT_TRUE(c.shop().save_config());
    std::vector<std::string> problems;
    base_ = open_and_read(folder_, problems);
    ASSERT_TRUE(problems.empty());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  // In a child: first brings back whatever a killed run left out, then rents five items and
  // returns them late, `rounds` times (0: for ever). Writes one byte to `ready` once open.
  [[noreturn]] void counter_child(int ready, int crash_step, int rounds) {
    Counter c(folder_, day());
    if (!c.open()) ::_exit(2);
    std::mt19937 rng(static_cast<unsigned>(::getpid()));
    for (const auto& e : c.shop().members.index().entries()) {
      records::MemberRecord m;
      if (e.number > 0 && c.shop().members.read_slot(e.slot, m) == records::ReadResult::Ok && m.on_loan(0) != 0)
        c.return_all(e.number);
    }
    if (ready >= 0 && ::write(ready, "r", 1) != 1) ::_exit(2);
    records::set_commit_crash_step(crash_step);
    for (int round = 0; rounds == 0 || round < rounds; ++round) {
      c.clock().set(day());
      const int64_t member = c.rent_five(rng);
      if (member == 0) ::_exit(3);
      c.clock().set(late_day());
      if (!c.return_all(member)) ::_exit(4);
    }
    ::_exit(0);
  }

  fs::path folder_;
  Story base_;
};

TEST_F(CrashTest, KilledAtRandomMomentsTheFilesAlwaysAgree) {
  constexpr int kKills = 200;
  std::mt19937 rng(20261208);
  int killed_in_work = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    int pipe_fds[2];
    ASSERT_EQ(::pipe(pipe_fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipe_fds[0]);
      counter_child(pipe_fds[1], 0, 0);
    }
    ::close(pipe_fds[1]);
    char byte = 0;
    const bool opened = ::read(pipe_fds[0], &byte, 1) == 1;
    ::close(pipe_fds[0]);
    if (opened) {
      std::this_thread::sleep_for(std::chrono::microseconds(rng() % 40000));
      ++killed_in_work;
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the counter stopped by itself, status " << status;
    std::vector<std::string> problems;
    const Story now = open_and_read(folder_, problems);
    expect_one_story(base_, now, problems, "kill " + std::to_string(kill));
    if (HasFailure()) return;
  }
  std::vector<std::string> problems;
  const Story end = open_and_read(folder_, problems);
  EXPECT_GT(end.rented - base_.rented, 5 * 20) << "the loop did too little work between kills to test anything";
  EXPECT_EQ(killed_in_work, kKills);
}

TEST_F(CrashTest, KilledAfterEachWriteOfARentalAndAReturnTheFilesAgree) {
  int steps = 0;
  for (int step = 1;; ++step) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) counter_child(-1, step, 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    std::vector<std::string> problems;
    const Story now = open_and_read(folder_, problems);
    expect_one_story(base_, now, problems, "crash after write " + std::to_string(step));
    if (HasFailure()) return;
    if (WEXITSTATUS(status) == 0) break;
    ASSERT_EQ(WEXITSTATUS(status), 86);
    ++steps;
  }
  // A rental touches member, films, log and wr.cfg; a late return adds the settlement.
  EXPECT_GE(steps, 12);
}

TEST_F(CrashTest, AJournalFoundAtStartIsCompletedWhenWholeAndDroppedWhenTorn) {
  // Stopped just after the journal of the rental reached the disk: nothing applied yet.
  const pid_t child = ::fork();
  if (child == 0) {
    Counter c(folder_, day());
    if (!c.open()) ::_exit(2);
    std::mt19937 rng(1);
    records::set_commit_crash_step(2);
    c.rent_five(rng);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 86);
  const auto journal = records::read_whole(folder_ / records::kJournalFile);
  ASSERT_TRUE(journal);
  const auto film_before = records::read_whole(folder_ / "film.dat");

  // The check tells of it, checks the shop as the start will make it, and writes nothing.
  std::ostringstream out;
  EXPECT_EQ(records::run_check(folder_, out), 0) << out.str();
  EXPECT_NE(out.str().find("will be completed at the next start"), std::string::npos) << out.str();
  EXPECT_EQ(records::read_whole(folder_ / records::kJournalFile), journal);
  EXPECT_EQ(records::read_whole(folder_ / "film.dat"), film_before);

  // Torn: every cut of the journal, or one whole in length with a byte changed, is dropped and leaves the files as they were.
  for (size_t keep : {size_t{0}, size_t{7}, journal->size() / 2, journal->size() - 1, journal->size()}) {
    std::vector<uint8_t> damaged = *journal;
    if (keep == damaged.size()) damaged[keep / 2] ^= 0x20;
    ASSERT_TRUE(records::write_file_atomic(folder_ / records::kJournalFile, damaged.data(), keep));
    std::vector<std::string> problems;
    const Story now = open_and_read(folder_, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(now.rented, base_.rented) << "cut at " << keep;
    EXPECT_EQ(records::read_whole(folder_ / "film.dat"), film_before) << "cut at " << keep;
  }
  // Whole: the rental is there after the start, once, however often the journal is applied.
  for (int again = 0; again < 2; ++again) {
    ASSERT_TRUE(records::write_file_atomic(folder_ / records::kJournalFile, journal->data(), journal->size()));
    std::vector<std::string> problems;
    const Story now = open_and_read(folder_, problems);
    expect_one_story(base_, now, problems, "journal applied");
    EXPECT_EQ(now.rented - base_.rented, 5);
    EXPECT_EQ(now.rental_entries - base_.rental_entries, 1u);
  }
}

}  // namespace
}  // namespace kelvo::crash
