// "Email setup" and the starters' use of it: the file made owner-only, refused input kept off
// the disk, and a job started only with settings to send with.
#include <sys/stat.h>

#include "mail_fixture.h"

namespace kelvo::mail {
namespace {

class MailSetupTest : public MailTest {};

TEST_F(MailSetupTest, SetupWritesAnOwnerOnlyBlockAndRefusesWhatCouldInjectCommands) {
  MailSettings bad = settings();
  bad.set_target(u"office@shop.test\r\nDATA");
  MailSettings bad_port = settings();
  bad_port.set_server(u"mail.shop.test:smtp");
  screens_.answers = {bad, bad_port, settings()};
  ASSERT_TRUE(email_setup(shop_, screens_));
  EXPECT_EQ(screens_.setups_shown, 3);  // reopened after each refusal
  EXPECT_TRUE(op_.saw("Problem", "E-mail fields cannot hold a line break"));
  EXPECT_TRUE(op_.saw("Problem", "SMTP server: a host name, or host:port"));
  const auto file = folder_ / kSettingsFile;
  EXPECT_EQ(std::filesystem::file_size(file), 800u);
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(load_settings(folder_)->target(), u"office@shop.test");
}

TEST_F(MailSetupTest, OnlyPlainAddressesAreStoredOrUsedAndTheFileStaysAsItWas) {
  const std::string forbidden = ": an e-mail address cannot hold blanks, control characters or < > ( ) , ; \" \\";
  struct Case {
    std::u16string target, sender;
    std::string message;
  } cases[] = {
      {u"office@reel.example> ORCPT=rfc822;other@example.org", u"counter@shop.test", "Target email" + forbidden},
      {u"office@shop.test", u"counter@shop.test>RCPT TO:<spy@example.org", "Your email" + forbidden},
  };
  start_server();
  for (const auto& c : cases) {
    configure();
    const std::string before = file_text(folder_ / kSettingsFile);
    MailSettings typed = settings(c.target);
    typed.set_sender(c.sender);
    op_.messages.clear();
    screens_.answers = {typed, std::nullopt};  // refused, reopened, then cancelled
    EXPECT_FALSE(email_setup(shop_, screens_));
    EXPECT_TRUE(op_.saw("Problem", c.message)) << c.message;
    EXPECT_EQ(file_text(folder_ / kSettingsFile), before) << c.message;
    ASSERT_TRUE(save_settings(folder_, typed));  // as if edited by hand
    for (auto start : {email_report, email_day_log}) {
      op_.messages.clear();
      start(shop_, screens_);
      EXPECT_TRUE(op_.saw("Problem", c.message)) << c.message;
    }
  }
  // A shop that mails only reminders may store no target; the report needs one.
  screens_.answers = {settings(u"")};
  EXPECT_TRUE(email_setup(shop_, screens_));
  email_report(shop_, screens_);
  EXPECT_TRUE(op_.saw("Problem", "Target email: an e-mail address is needed"));
  EXPECT_TRUE(screens_.jobs.empty());
  EXPECT_FALSE(std::filesystem::exists(inbox_ / "1.eml"));
}

TEST_F(MailSetupTest, AFileOthersCouldReadIsMadeOwnerOnly) {
  ASSERT_TRUE(save_settings(folder_, settings()));
  std::filesystem::permissions(folder_ / kSettingsFile, std::filesystem::perms::others_read,
                               std::filesystem::perm_options::add);
  ASSERT_TRUE(save_settings(folder_, settings()));
  struct stat st {};
  ASSERT_EQ(stat((folder_ / kSettingsFile).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(MailSetupTest, WithoutWrmailCfgTheReportOpensSetupFirst) {
  start_server();
  screens_.answers = {std::nullopt};  // Cancel ends the command
  email_report(shop_, screens_);
  EXPECT_EQ(screens_.setups_shown, 1);
  EXPECT_TRUE(screens_.jobs.empty());

  screens_.answers = {settings()};
  email_report(shop_, screens_);
  EXPECT_EQ(screens_.setups_shown, 2);
  ASSERT_EQ(screens_.jobs.size(), 1u);
  EXPECT_EQ(screens_.sink.lines.at(3), "Transmission complete");
  EXPECT_TRUE(std::filesystem::exists(inbox_ / "1.eml"));
}

TEST_F(MailSetupTest, StarterRefusesAHandEditedFileAndReportsAThreadThatCannotStart) {
  MailSettings s = settings();
  s.set_sender(u"a@b\nRCPT TO:<x@y>");
  ASSERT_TRUE(save_settings(folder_, s));
  email_report(shop_, screens_);
  EXPECT_TRUE(op_.saw("Problem", "E-mail fields cannot hold a line break"));
  EXPECT_TRUE(screens_.jobs.empty());

  ASSERT_TRUE(save_settings(folder_, settings()));
  screens_.thread_fails = true;
  email_report(shop_, screens_);
  EXPECT_TRUE(op_.saw("Problem", "Unable to start thread"));
}

TEST_F(MailSetupTest, EachJobOwnsItsSettingsAndMessage) {
  start_server();
  configure();
  email_report(shop_, screens_);
  // The counter moves on; the job already built keeps what it was given.
  shop_.config.set_takings_today(999.0f);
  ASSERT_TRUE(save_settings(folder_, settings(u"other@shop.test")));
  ASSERT_EQ(screens_.jobs.size(), 1u);
  EXPECT_EQ(screens_.jobs[0].settings.target(), u"office@shop.test");
  EXPECT_NE(screens_.jobs[0].message.find("Today's takings: 0.00"), std::string::npos);
}

}  // namespace
}  // namespace kelvo::mail
