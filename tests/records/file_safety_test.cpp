// The files of a shop as the machine sees them: who may read them, what a replacement keeps,
// what stands in place of a data file, and a transaction that cannot be journalled.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

#include "records/commit.h"
#include "records/counter_session.h"
#include "records/file_io.h"
#include "records/journal.h"
#include "records/record_files.h"
#include "records/shop_check.h"
#include "records/transaction_log.h"
#include "support/scripted_operator.h"

namespace kelvo::records {
namespace {

namespace fs = std::filesystem;
using testing::ShopTest;

mode_t mode_of(const fs::path& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

std::vector<std::string> names_in(const fs::path& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

class FileSafety : public ShopTest {
 protected:
  void TearDown() override { ::umask(saved_umask_); }
  mode_t saved_umask_ = ::umask(022);
};

TEST_F(FileSafety, NewFilesAreOwnerOnlyUnlessMeantForOthersAndTheUmaskOnlyTightens) {
  struct Case {
    mode_t umask;
    std::map<std::string, mode_t> modes;
  };
  const Case cases[] = {
      {022, {{"member.dat", 0600}, {"wr.cfg", 0600}, {"lgb4.dat", 0600}, {"resn.dat", 0600}, {"film.dat", 0644}, {"mans.dat", 0644}}},
      {077, {{"member.dat", 0600}, {"wr.cfg", 0600}, {"film.dat", 0600}, {"mans.dat", 0600}}},
      {0277, {{"member.dat", 0400}, {"film.dat", 0400}}},
  };
  for (const auto& c : cases) {
    const fs::path folder = testing::fresh_folder();
    ::umask(c.umask);
    testing::ScriptedOperator op;
    Shop shop(folder, op, clock_, locale_);
    ASSERT_TRUE(open_counter_data(shop));
    ::umask(022);
    for (const auto& [name, mode] : c.modes) EXPECT_EQ(mode_of(folder / name), mode) << name << " umask " << std::oct << c.umask;
    fs::remove_all(folder);
  }
}

TEST_F(FileSafety, AReplacementKeepsTheShopsModeAndLeavesNothingBehind) {
  ASSERT_TRUE(open_counter_data(shop_));
  ASSERT_EQ(shop_.address.save(shop_.path(files::kAddress)), SaveResult::Ok);
  const auto before = names_in(folder_);
  for (mode_t mode : {0600, 0640, 0444}) {
    for (auto name : {files::kConfig, files::kAddress}) ASSERT_EQ(::chmod(shop_.path(name).c_str(), mode), 0);
    ASSERT_EQ(shop_.config.save(shop_.path(files::kConfig)), SaveResult::Ok);
    ASSERT_EQ(shop_.address.save(shop_.path(files::kAddress)), SaveResult::Ok);
    for (auto name : {files::kConfig, files::kAddress}) EXPECT_EQ(mode_of(shop_.path(name)), mode) << name;
  }
  EXPECT_EQ(names_in(folder_), before);
  // A symbolic link where a temporary name would go is never followed: the name is unique.
  ASSERT_TRUE(write_file_atomic(folder_ / "Takings.csv", "x", 1));
  EXPECT_EQ(read_whole(folder_ / "Takings.csv"), std::vector<uint8_t>{'x'});
}

TEST_F(FileSafety, SomethingOtherThanAFileInPlaceOfADataFileIsReportedNotWaitedFor) {
  ASSERT_TRUE(open_counter_data(shop_));
  ASSERT_EQ(shop_.address.save(shop_.path(files::kAddress)), SaveResult::Ok);
  struct Case {
    std::string_view name;
    int status;  // of the check: 2 when the shop does not open
  };
  for (const Case c : {Case{files::kConfig, 2}, Case{files::kFilm, 2}, Case{files::kMember, 2}, Case{files::kStock, 2},
                       Case{files::kAddress, 0}}) {
    const fs::path file = shop_.path(c.name), kept = file.string() + ".kept";
    fs::rename(file, kept);
    for (bool fifo : {true, false}) {
      if (fifo) ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
      else fs::create_directory(file);
      auto run = std::async(std::launch::async, [&] {
        std::ostringstream out;
        return run_check(folder_, out);
      });
      ASSERT_EQ(run.wait_for(std::chrono::seconds(10)), std::future_status::ready) << c.name << " hangs the check";
      EXPECT_EQ(run.get(), c.status) << c.name << (fifo ? " as a FIFO" : " as a folder");
      fs::remove(file);
    }
    fs::rename(kept, file);
  }
}

class CommitTest : public ShopTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(open_counter_data(shop_));
    MemberRecord m;
    m.set_number(5);
    m.set_name(u"Quill");
    m.set_category(1);
    ASSERT_TRUE(add_member(shop_, m));
    op_.messages.clear();
  }
  // A member change, a log entry and a counter: the shape of every transaction.
  bool transaction(float owed) {
    Commit commit(shop_);
    MemberRecord m;
    EXPECT_TRUE(read_member(shop_, 5, m));
    m.set_owed(owed);
    rewrite_member(shop_, m);
    MemberRecord seen;
    EXPECT_TRUE(read_member(shop_, 5, seen));
    EXPECT_EQ(seen.owed(), owed) << "a record written in a transaction reads back as written";
    append_log(shop_, u"\r\nentry\r\n");
    shop_.config.set_takings_today(shop_.config.takings_today() + owed);
    shop_.save_config();
    return commit.finish();
  }
  std::vector<uint8_t> bytes(std::string_view name) { return read_whole(shop_.path(name)).value_or(std::vector<uint8_t>{}); }
};

TEST_F(CommitTest, ACommitWritesEveryPartAndLeavesNoJournalWaitingOnceCheckpointed) {
  const size_t log_before = bytes(files::kLog).size();
  ASSERT_TRUE(transaction(2.5f));
  MemberRecord m;
  ASSERT_TRUE(read_member(shop_, 5, m));
  EXPECT_EQ(m.owed(), 2.5f);
  EXPECT_EQ(bytes(files::kLog).size(), log_before + 2 * 9);
  const auto cfg = bytes(files::kConfig);
  ASSERT_EQ(cfg.size(), cfg::kSize);
  EXPECT_TRUE(std::equal(cfg.begin(), cfg.end(), shop_.config.data())) << "wr.cfg holds the block in memory";
  // Until the checkpoint the journal holds the transaction, as the files may not be on the disk yet.
  EXPECT_EQ(find_journal(folder_).state, JournalState::Complete);
  ASSERT_TRUE(checkpoint_journal(folder_));
  EXPECT_EQ(find_journal(folder_).state, JournalState::None);
  EXPECT_TRUE(op_.messages.empty());
}

TEST_F(CommitTest, ATransactionThatCannotBeJournalledIsRefusedAndChangesNothing) {
  const auto member = bytes(files::kMember), log = bytes(files::kLog), config = bytes(files::kConfig);
  const float takings = shop_.config.takings_today();
  fs::remove(shop_.path(kJournalFile));
  fs::create_directory(shop_.path(kJournalFile));  // the journal's name is taken
  EXPECT_FALSE(transaction(7.0f));
  EXPECT_TRUE(op_.saw("Problem", "Member.dat"));
  EXPECT_EQ(bytes(files::kMember), member);
  EXPECT_EQ(bytes(files::kLog), log);
  EXPECT_EQ(bytes(files::kConfig), config);
  EXPECT_EQ(shop_.config.takings_today(), takings) << "the block in memory is what wr.cfg holds";
}

}  // namespace
}  // namespace kelvo::records
