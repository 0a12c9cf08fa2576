// The three mails against a real SMTP server on 127.0.0.1: what arrives, byte for byte, and what
// the activity pane says when the server refuses or cannot be reached.
#include <sys/stat.h>

#include "mail_fixture.h"
#include "records/config_layout.h"
#include "records/record_files.h"
#include "text/coding.h"

namespace kelvo::mail {
namespace {

namespace cfg = records::cfg;
using Lines = std::vector<std::string>;

constexpr char kMime[] = "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
                         "Content-Transfer-Encoding: 8bit\r\n\r\n";

class MailServerTest : public MailTest {
 protected:
  void SetUp() override {
    MailTest::SetUp();
    start_server();
    shop_.address.set_line(1, u"Reel Time Vidéo");
    shop_.address.set_line(2, u"1 High Street");
    auto& c = shop_.config;
    c.set_takings_today(123.45f);
    c.set_i64(cfg::kRentalsToday, 7);
    c.set_i64(cfg::kReturnsToday, 3);
    c.set_f32(cfg::kItemsSoldCount, 2.0f);
    c.set_f32(cfg::kItemsSoldAmount, 9.5f);
    c.set_f32(cfg::kStockSalesToday, 4.25f);
    for (int k = 0; k < 14; ++k) c.set_f32(cfg::history_entry(k), static_cast<float>(k + 1));
  }
  void write_log(std::u16string text) {
    std::string bytes = text::utf16le_bytes(text);
    ASSERT_TRUE(records::write_file_atomic(shop_.path(records::files::kLog), bytes.data(), bytes.size()));
  }
};

TEST_F(MailServerTest, DayReportArrivesAsWritten) {
  configure();
  email_report(shop_, screens_);
  EXPECT_EQ(screens_.sink.lines, (Lines{"Report to: office@shop.test", "Located mail server 127.0.0.1",
                                        "Forwarding mail", "Transmission complete", "    "}));
  EXPECT_EQ(received(),
            std::string("FROM: counter@shop.test\r\nTO: office@shop.test\r\nSUBJECT: QUENDRIX report\r\n") + kMime +
                "QUENDRIX report: 14:05 Mon Dec 07 26\r\n\r\n"
                "Reel Time Vid\xC3\xA9o\r\n1 High Street\r\n\r\n"
                "Today's takings: 123.45\r\nToday Rent: 7 Return: 3\r\nRental items sold (2): 9.50\r\n"
                "Stock sales: 4.25\r\n\r\nPrevious daily takings\r\n"
                "D:6/M:12/Y:2026: 1.00\r\nD:5/M:12/Y:2026: 2.00\r\nD:4/M:12/Y:2026: 3.00\r\n"
                "D:3/M:12/Y:2026: 4.00\r\nD:2/M:12/Y:2026: 5.00\r\nD:1/M:12/Y:2026: 6.00\r\n"
                "D:30/M:11/Y:2026: 7.00\r\nD:29/M:11/Y:2026: 8.00\r\nD:28/M:11/Y:2026: 9.00\r\n"
                "D:27/M:11/Y:2026: 10.00\r\nD:26/M:11/Y:2026: 11.00\r\nD:25/M:11/Y:2026: 12.00\r\n"
                "D:24/M:11/Y:2026: 13.00\r\nD:23/M:11/Y:2026: 14.00\r\n"
                "\r\nWeekly summaries:\r\nWE 29/11/2026: 77.00\r\nWE 6/12/2026: 28.00\r\nEnd report\r\n");
  std::string head = file_text(inbox_ / "1.eml");
  EXPECT_NE(head.find("\r\nDate: Mon, 07 Dec 2026 14:05:00 "), std::string::npos);
  EXPECT_NE(head.find("\r\nMessage-ID: <"), std::string::npos);
}

TEST_F(MailServerTest, DayLogFromTheStartDateWithDottedLinesIntact) {
  configure();
  write_log(u"\r\n18:00 06/12/2026  Return\r\n"
            u"\r\n09:00 07/12/2026  Rental: 5\r\n.hidden start\r\n..two dots\r\n.\r\nOperator: 1, Ann\r\n");
  email_day_log(shop_, screens_);
  EXPECT_EQ(screens_.sink.lines.back(), "    ");
  EXPECT_EQ(screens_.sink.lines[screens_.sink.lines.size() - 2], "Transmission complete");
  EXPECT_EQ(received(),
            std::string("FROM: counter@shop.test\r\nTO: office@shop.test\r\nSUBJECT: QUENDRIX report\r\n") + kMime +
                "QUENDRIX log: 14:05 Mon Dec 07 26\r\n\r\n"
                "Reel Time Vid\xC3\xA9o\r\n1 High Street\r\n\r\n"
                "Today's takings: 123.45\r\nToday Rent: 7 Return: 3\r\nRental items sold (2): 9.50\r\n"
                "Stock sales: 4.25\r\nEnd report\r\n\r\nReel Time Vid\xC3\xA9o Log file: 07/12/2026\r\n"
                "09:00 07/12/2026  Rental: 5\r\n.hidden start\r\n..two dots\r\n.\r\nOperator: 1, Ann\r\nEnd log\r\n");
}

TEST_F(MailServerTest, DayLogWithoutTheStartDateSendsTheHeadAndEndLogOnly) {
  configure();
  write_log(u"\r\n18:00 06/12/2026  Return\r\n");
  email_day_log(shop_, screens_);
  std::string mail = received();
  EXPECT_TRUE(mail.ends_with("Log file: 07/12/2026\r\nEnd log\r\n")) << mail;
}

TEST_F(MailServerTest, RefusedRecipientIsAnErrorAndTheMailIsNotReportedSent) {
  configure(u"refused@shop.test");
  email_report(shop_, screens_);
  EXPECT_EQ(screens_.sink.lines,
            (Lines{"Report to: refused@shop.test", "Located mail server 127.0.0.1",
                   "Error: recv() RCPT TO: 550 5.1.1 No such user here", "Transmission aborted", "    "}));
  EXPECT_FALSE(std::filesystem::exists(inbox_ / "1.eml"));
}

TEST_F(MailServerTest, ServersThatCannotBeReachedAreReportedAsProblems) {
  struct Case {
    std::u16string server;
    std::string problem;
    Lines lines;
  } cases[] = {
      {u"no-such-host.invalid", "Cannot find SMTP mail server",
       {"Report to: office@shop.test", "Transmission aborted", "    "}},
      {u"127.0.0.1:1", "Error connecting to the server socket",
       {"Report to: office@shop.test", "Located mail server 127.0.0.1", "Transmission aborted", "    "}},
  };
  for (const auto& c : cases) {
    ScriptedMailScreens screens;
    MailSettings s = settings();
    s.set_server(c.server);
    ASSERT_TRUE(save_settings(folder_, s));
    email_report(shop_, screens);
    EXPECT_EQ(screens.sink.problems, Lines{c.problem});
    EXPECT_EQ(screens.sink.lines, c.lines);
  }
}

TEST(MailAddresses, BeyondAsciiOnlyWhereTheServerOffersSmtpUtf8AndNothingButPlainAddresses) {
  const std::string no_utf8 = "The mail server does not take e-mail addresses beyond plain ASCII (no SMTPUTF8)";
  struct Case {
    bool server_utf8;
    std::u16string sender, recipient;
    std::string problem;  // empty: delivered, announced with SMTPUTF8
  } cases[] = {
      {true, u"counter@shop.test", u"j\u00fcrgen@shop.test", ""},
      {false, u"counter@shop.test", u"j\u00fcrgen@shop.test", no_utf8},
      {false, u"z\u00e4hler@shop.test", u"office@shop.test", no_utf8},
      // A job handed over without the starters' checks still sends no such command.
      {true, u"counter@shop.test", u"office@reel.example> ORCPT=rfc822;other@example.org",
       "Target email: an e-mail address cannot hold blanks, control characters or < > ( ) , ; \" \\"},
  };
  const auto folder = testing::fresh_folder();
  int n = 0;
  for (const auto& c : cases) {
    const auto dir = folder / std::to_string(++n), inbox = dir / "inbox";
    std::filesystem::create_directory(dir);
    SmtpServer server;
    const int port = server.start(dir, inbox, false, c.server_utf8);
    ASSERT_GT(port, 0);
    MailJob job{MailSettings{}, c.recipient, u"Report to: " + c.recipient, "SUBJECT: test\r\n\r\nEnd report"};
    job.settings.set_server(u"127.0.0.1:" + text::from_utf8(std::to_string(port)));
    job.settings.set_sender(c.sender);
    ScriptedMailScreens screens;
    screens.start(job);
    server.stop();
    const std::string to = text::to_utf8(c.recipient);
    EXPECT_EQ(screens.sink.problems, c.problem.empty() ? Lines{} : Lines{c.problem}) << to;
    EXPECT_EQ(std::filesystem::exists(inbox / "1.eml"), c.problem.empty()) << to;
    if (!c.problem.empty()) continue;
    EXPECT_EQ(file_text(inbox / "1.eml.to"), to);
    EXPECT_NE(file_text(inbox / "1.eml.opts").find("SMTPUTF8"), std::string::npos) << to;
  }
  std::filesystem::remove_all(folder);
}

// A relay that wants STARTTLS and a login before it takes a mail.
class MailTlsTest : public MailTest {
 protected:
  void SetUp() override {
    MailTest::SetUp();
    start_server(true);
    screens_.ca_file = (folder_ / "cert.pem.crt").string();
  }
};

TEST_F(MailTlsTest, StartTlsWithLoginIsSent) {
  MailSettings s = settings();
  s.set_security(Security::StartTls);
  s.set_user(u"shop");
  s.set_password(u"s3cret");
  ASSERT_TRUE(save_settings(folder_, s));
  email_report(shop_, screens_);
  const auto& lines = screens_.sink.lines;
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{"Forwarding mail", "Transmission complete", "    "}));
  EXPECT_TRUE(received().ends_with("End report\r\n"));
  for (const auto& l : lines) EXPECT_EQ(l.find("s3cret"), std::string::npos);
}

class ReminderTest : public MailServerTest {
 protected:
  void SetUp() override {
    MailServerTest::SetUp();
    configure();
    add_film(11, u"Jaws", u"05:0001/12/2026");     // due a week ago
    add_film(12, u"Alien", u"23:0009/12/2026");    // not yet due
  }
  void add_film(int64_t number, std::u16string title, std::u16string due) {
    records::FilmRecord f;
    f.set_number(number);
    f.set_title(title);
    f.set_charge_band(1);
    ASSERT_TRUE(records::add_film(shop_, f));  // a new item is not on loan
    f.set_return_date(due);
    ASSERT_TRUE(records::rewrite_film(shop_, f));
  }
  void add_member(int64_t number, std::u16string email, std::vector<int64_t> loans) {
    records::MemberRecord m;
    m.set_number(number);
    m.set_name(u"Smith");
    m.set_category(1);
    m.set_email(email);
    ASSERT_TRUE(records::add_member(shop_, m));  // a new member starts without loans
    for (size_t s = 0; s < loans.size(); ++s) {
      m.set_on_loan(static_cast<int>(s), loans[s]);
      m.set_on_loan_rented(static_cast<int>(s), u"17:3028/11/2026");
    }
    m.refresh_on_loan_flag();
    ASSERT_TRUE(records::rewrite_member(shop_, m));
  }
  void remind(std::u16string member) {
    op_.texts.push_back(member);
    overdue_email(shop_, views_, screens_);
  }
  NoViews views_;
};

TEST_F(ReminderTest, ListsOnlyTheOverdueItemsAndGoesToTheMember) {
  add_member(7, u"smith@home.test", {12, 11});
  remind(u"7");
  ASSERT_TRUE(op_.messages.empty()) << op_.messages[0].caption << ": " << op_.messages[0].body;
  ASSERT_FALSE(screens_.sink.lines.empty());
  EXPECT_EQ(screens_.sink.lines.front(), "Overdue reminder to: smith@home.test");
  EXPECT_EQ(file_text(inbox_ / "1.eml.to"), "smith@home.test");
  EXPECT_EQ(received(),
            std::string("FROM: counter@shop.test\r\nTO: smith@home.test\r\nSUBJECT: Overdue item(s)\r\n") + kMime +
                "Reel Time Vid\xC3\xA9o\r\n1 High Street\r\n\r\nOverdue reminder: 14:05 Mon Dec 07 26\r\n\r\n"
                "Dear Sir / Madam,  Member number: 7\r\n\r\n"
                "According to our records the following item(s) are overdue:\r\n\r\n"
                "11     Jaws                                rented at 17:30 on 28/11/2026\r\n"
                "\r\nPlease return at your earliest convenience. Thank you.\r\n");
  // The configured target stays in the file.
  EXPECT_EQ(load_settings(folder_)->target(), u"office@shop.test");
}

TEST_F(ReminderTest, MembersThatCannotBeRemindedAreRefused) {
  struct Case {
    int64_t number;
    std::u16string email;
    std::vector<int64_t> loans;
    std::string message;
  } cases[] = {
      {21, u"a@home.test", {}, "No films on loan"},
      {22, u"", {11}, "No email address"},
      {23, u"a@home.test\r\nBCC: all@x", {11}, "E-mail fields cannot hold a line break"},
      {24, u"a@home.test> NOTIFY=NEVER", {11},
       "Member's email: an e-mail address cannot hold blanks, control characters or < > ( ) , ; \" \\"},
  };
  for (const auto& c : cases) {
    add_member(c.number, c.email, c.loans);
    op_.messages.clear();
    remind(text::from_utf8(std::to_string(c.number)));
    EXPECT_TRUE(op_.saw("Problem", c.message)) << c.message;
  }
  EXPECT_TRUE(screens_.jobs.empty());
}

}  // namespace
}  // namespace kelvo::mail
