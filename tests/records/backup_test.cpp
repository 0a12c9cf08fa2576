#include "records/backup.h"

#include <fstream>

#include "flow_operator.h"
#include "records/file_io.h"
#include "records/log_commands.h"
#include "records/transaction_log.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
namespace cfg = records::cfg;

std::string file_bytes(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

class Backup : public flowtest::ShopFolder {
 protected:
  Backup() {
    std::ofstream(dir_ / "resn.dat", std::ios::binary) << "reservations";
    records::append_log(shop_, u"\r\nearlier entry\r\n");
  }
  flowtest::ScriptedBackupScreens screens_;
};

TEST_F(Backup, FirstBackupProposesKBUnderHomeAndCreatesTheFolder) {
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/";
  fs::path target = dir_ / "backups" / "today";
  op_.answers.push_back(text::from_utf8(target.string()));
  records::backup(shop_, screens_);

  ASSERT_EQ(op_.asked.size(), 1u);
  EXPECT_EQ(op_.asked[0].question, u"Backup: enter the directory");
  EXPECT_EQ(op_.asked[0].options.proposal, text::from_utf8((fs::path(home) / "KB").string()));
  EXPECT_EQ(op_.asked[0].options.max_length, 34);
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"File backup");
  EXPECT_EQ(op_.shown[0].body, u"Complete");
  EXPECT_FALSE(screens_.busy_now);

  for (auto name : records::kBackupFiles)
    EXPECT_EQ(file_bytes(target / name), file_bytes(dir_ / name)) << name;
  // The log was written before the copy, so the copy ends with the backup line.
  std::string log = file_bytes(target / "lgb4.dat");
  std::string tail = file_bytes(dir_ / "lgb4.dat");
  EXPECT_EQ(log, tail);
  const char16_t line[] = u"\r\n14:5 7/12/2026  File backup\r\n";
  std::string want;
  for (char16_t u : text::u16view(line)) want += {static_cast<char>(u), '\0'};
  EXPECT_EQ(log.substr(log.size() - want.size()), want);

  // The time of the backup and the folder are remembered, and reached wr.cfg first.
  records::ConfigBlock saved;
  ASSERT_TRUE(saved.load(dir_ / "wr.cfg"));
  EXPECT_EQ(saved.i32(cfg::kLastBackup), 5);
  EXPECT_EQ(saved.i32(cfg::kLastBackup + 4), 14);
  EXPECT_EQ(saved.i32(cfg::kLastBackup + 16), 2026);
  EXPECT_EQ(shop_.config.str(cfg::kBackupFolder, cfg::kBackupFolderWidth), text::from_utf8(target.string()));
}

TEST_F(Backup, NextBackupProposesTheRememberedFolderAndCancelCopiesNothing) {
  op_.answers.push_back(u"kb2");  // relative to the shop folder
  records::backup(shop_, screens_);
  EXPECT_TRUE(fs::exists(dir_ / "kb2" / "member.dat"));
  op_.answers.push_back(std::nullopt);
  records::backup(shop_, screens_);
  EXPECT_EQ(op_.asked[1].options.proposal, u"kb2");
  EXPECT_EQ(op_.shown.size(), 1u);
}

// A home folder with a long path must not have its proposal cut to the 34 characters a typed
// folder may have: the cut proposal names another, existing folder and the backup lands there.
TEST_F(Backup, LongProposalIsOfferedWhole) {
  const char* old = std::getenv("HOME");
  std::string saved = old ? old : "";
  std::string home = (dir_ / "a-home-folder-with-a-rather-long-name").string();
  ::setenv("HOME", home.c_str(), 1);
  op_.answers.push_back(std::nullopt);
  records::backup(shop_, screens_);
  if (old) ::setenv("HOME", saved.c_str(), 1); else ::unsetenv("HOME");
  ASSERT_EQ(op_.asked.size(), 1u);
  const text::u16 proposal = op_.asked[0].options.proposal;
  ASSERT_GT(proposal.size(), 34u);
  EXPECT_GE(op_.asked[0].options.max_length, static_cast<int>(proposal.size()));
}

TEST_F(Backup, MissingDataFileStopsWithUnableToOpenFile) {
  fs::remove(dir_ / "resn.dat");
  op_.answers.push_back(u"kb3");
  records::backup(shop_, screens_);
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"Problem");
  EXPECT_EQ(op_.shown[0].body, u"Unable to open file");
  EXPECT_TRUE(fs::exists(dir_ / "kb3" / "mans.dat"));  // copied before the failure: kept
  EXPECT_FALSE(screens_.busy_now);
}

TEST_F(Backup, FolderThatCannotBeMadeIsReported) {
  std::ofstream(dir_ / "blocker") << "x";
  op_.answers.push_back(u"blocker/kb");
  records::backup(shop_, screens_);
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].body, u"Unable to create folder.");
}

class Restore : public Backup {
 protected:
  fs::path make_backup() {
    op_.answers.push_back(u"kb");
    records::backup(shop_, screens_);
    op_.shown.clear();
    return dir_ / "kb";
  }
};

TEST_F(Restore, CopiesBackAndEndsWithoutSaving) {
  fs::path kb = make_backup();
  std::string saved_cfg = file_bytes(kb / "wr.cfg");
  std::ofstream(dir_ / "film.dat", std::ios::binary | std::ios::app) << std::string(3040, 'z');
  fs::permissions(kb / "member.dat", fs::perms::owner_read, fs::perm_options::replace);
  shop_.config.set_takings_today(99.0f);

  screens_.file = kb / "wr.cfg";
  EXPECT_TRUE(records::restore(shop_, screens_));
  EXPECT_EQ(screens_.proposed, u"WR.CFG");
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"Restore complete");
  EXPECT_EQ(op_.shown[0].body, u"QUENDRIX will now close down");
  EXPECT_TRUE(shop_.do_not_save);
  EXPECT_EQ(file_bytes(dir_ / "wr.cfg"), saved_cfg);
  EXPECT_EQ(file_bytes(dir_ / "film.dat"), file_bytes(kb / "film.dat"));
  auto perms = fs::status(dir_ / "member.dat").permissions();
  EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

TEST_F(Restore, PathWithoutWrCfgIsRefused) {
  fs::path kb = make_backup();
  screens_.file = kb / "film.dat";
  EXPECT_FALSE(records::restore(shop_, screens_));
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"Fatal error");
  EXPECT_EQ(op_.shown[0].body, u"File not present.");
  EXPECT_FALSE(shop_.do_not_save);
}

TEST_F(Restore, MissingOrEmptyRequiredFileShowsItsPathAndCopiesNothing) {
  fs::path kb = make_backup();
  std::string before = file_bytes(dir_ / "film.dat");
  std::ofstream(kb / "film.dat", std::ios::binary) << std::string(3040, 'q');
  fs::remove(kb / "mans.dat");
  screens_.file = kb / "wr.cfg";
  EXPECT_FALSE(records::restore(shop_, screens_));
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"File not present.");
  EXPECT_EQ(op_.shown[0].body, text::from_utf8((kb / "mans.dat").string()));
  EXPECT_EQ(file_bytes(dir_ / "film.dat"), before);
  EXPECT_FALSE(shop_.do_not_save);

  op_.shown.clear();
  std::ofstream(kb / "mans.dat", std::ios::binary);  // empty
  EXPECT_FALSE(records::restore(shop_, screens_));
  ASSERT_EQ(op_.shown.size(), 1u);
  EXPECT_EQ(op_.shown[0].caption, u"File has no content");
  EXPECT_EQ(file_bytes(dir_ / "film.dat"), before);
}

TEST_F(Restore, UpperCaseNamesAndMissingOptionalFilesAreAccepted) {
  fs::path kb = dir_ / "OLD";
  fs::create_directory(kb);
  fs::copy_file(dir_ / "wr.cfg", kb / "WR.CFG");
  fs::copy_file(dir_ / "film.dat", kb / "FILM.DAT");
  fs::copy_file(dir_ / "member.dat", kb / "MEMBER.DAT");
  fs::copy_file(dir_ / "mans.dat", kb / "MANS.DAT");
  std::string log_before = file_bytes(dir_ / "lgb4.dat");
  screens_.file = kb / "WR.CFG";
  EXPECT_TRUE(records::restore(shop_, screens_));
  EXPECT_EQ(op_.shown.back().caption, u"Restore complete");
  EXPECT_EQ(file_bytes(dir_ / "lgb4.dat"), log_before);  // no log in the backup: kept
}

TEST_F(Restore, CancelAtEitherScreenDoesNothing) {
  screens_.explain = false;
  EXPECT_FALSE(records::restore(shop_, screens_));
  screens_.explain = true;
  screens_.file.reset();
  EXPECT_FALSE(records::restore(shop_, screens_));
  EXPECT_TRUE(op_.shown.empty());
  EXPECT_FALSE(shop_.do_not_save);
}

class LogCommands : public flowtest::ShopFolder {};

TEST_F(LogCommands, CapacityListPreselectsAndStores) {
  shop_.config.set_i32(cfg::kLogCapacity, 3);
  op_.choices.push_back(2);
  records::choose_log_capacity(shop_);
  ASSERT_EQ(op_.lists.size(), 1u);
  EXPECT_EQ(op_.lists[0].front(), u"100K");
  EXPECT_EQ(op_.lists[0].back(), u"900K");
  EXPECT_EQ(op_.lists[0].size(), 9u);
  EXPECT_EQ(op_.preselected[0], 3);
  EXPECT_EQ(shop_.config.log_capacity(), 2);
  records::choose_log_capacity(shop_);  // cancelled
  EXPECT_EQ(shop_.config.log_capacity(), 2);
}

TEST_F(LogCommands, PurgeSaysCompleteEvenWithNoFiles) {
  records::append_log(shop_, u"x");
  records::purge_log_files(shop_);
  records::purge_log_files(shop_);
  EXPECT_FALSE(fs::exists(dir_ / "lgb4.dat"));
  ASSERT_EQ(op_.shown.size(), 2u);
  EXPECT_EQ(op_.shown[1].caption, u"Purge Log files: lgb2.dat and lgb4.dat");
  EXPECT_EQ(op_.shown[1].body, u"Complete.");
}

TEST_F(LogCommands, LogDayNeedsTenCharactersWithSlashes) {
  op_.answer({u"7/12/2026", u"07-12-2026", u"07/12/2026"});
  EXPECT_FALSE(records::ask_log_day(shop_));
  EXPECT_FALSE(records::ask_log_day(shop_));
  EXPECT_EQ(records::ask_log_day(shop_), u"07/12/2026");
  ASSERT_EQ(op_.shown.size(), 2u);
  EXPECT_EQ(op_.shown[0].body, u"Invalid date");
  EXPECT_EQ(op_.asked[0].question, u"Enter day (DD/MM/YYYY):");
  EXPECT_EQ(op_.asked[0].options.proposal, u"");
}

TEST_F(LogCommands, TakingsAdjustmentProposesTodayAndReplacesIt) {
  shop_.config.set_takings_today(12.5f);
  op_.answer({u"20.25", nullptr});
  records::takings_adjustment(shop_);
  EXPECT_EQ(op_.asked[0].options.proposal, u"12.50");
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 20.25f);
  records::takings_adjustment(shop_);
  EXPECT_FLOAT_EQ(shop_.config.takings_today(), 20.25f);
}

}  // namespace
}  // namespace kelvo
