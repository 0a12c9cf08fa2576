// The rules of the mail core that need no server: where the day's log starts, how log lines are
// cut, the server field, the addresses that may become commands, the step a failure is named by,
// and the settings block's layout.
#include <gtest/gtest.h>

#include "mail/mail_message.h"
#include "mail/mail_settings.h"
#include "mail/smtp_trace.h"
#include "platform/locale.h"
#include "support/scripted_operator.h"
#include "text/email_address.h"

namespace kelvo::mail {
namespace {

using text::u16;

TEST(DayLogStart, FirstDateFromTheThirteenthCharacterLessSixteen) {
  const text::DateTime day = testing::at(2026, 12, 7);
  struct Case {
    u16 log;
    std::optional<size_t> start;
  } cases[] = {
      {u"\r\n14:05 07/12/2026  Switched on.\r\n", 2},
      // An earlier day first: the start is the first entry of the day, not the file's start.
      {u"\r\n23:59 06/12/2026  Return\r\n\r\n09:00 07/12/2026  Rental: 5\r\n", 30},
      // The date ends at the twelfth character: too early to count.
      {u"xx07/12/2026 later", std::nullopt},
      // Ends exactly at the thirteenth: counts, and the heading is cut short, so from the start.
      {u"xxx07/12/2026", 0},
      {u"\r\n14:05 07/11/2026  Switched on.\r\n", std::nullopt},
      {u"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(day_log_start(c.log, day), c.start) << text::to_utf8(c.log);
}

TEST(DayLogLines, CarriageReturnOr253CharactersEndALineAndControlsAreDropped) {
  const u16 full(253, u'a');
  struct Case {
    u16 log;
    std::string mail;
  } cases[] = {
      {u"14:05 07/12/2026  Rental: 5\r\nOperator: 1, Ann\r\n", "14:05 07/12/2026  Rental: 5\r\nOperator: 1, Ann\r\n"},
      {u"a\tb\x1e" u"c\x1f\r", "abc\x1f\r\n"},        // codes 30 and below vanish, 31 stays
      {u"\r\n\r\n", "\r\n\r\n"},                  // each CR an empty line, LF dropped
      {full + u"\r", std::string(253, 'a') + "\r\n\r\n"},  // the 253rd ends the line, the CR another
      {full + u"b\r", std::string(253, 'a') + "\r\nb\r\n"},
      {u".dot first\r", ".dot first\r\n"},
      {u"tail without end", "tail without end\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(text::to_utf8(day_log_lines(c.log, 0)), c.mail) << text::to_utf8(c.log);
}

TEST(ServerField, HostAndOptionalPort) {
  struct Case {
    u16 field;
    bool ok;
    std::string host;
    int port;
  } cases[] = {
      {u"mail.shop.test", true, "mail.shop.test", 0},
      {u" mail.shop.test:587 ", true, "mail.shop.test", 587},
      {u"127.0.0.1:65535", true, "127.0.0.1", 65535},
      {u"127.0.0.1:65536", false, "", 0},
      {u"127.0.0.1:0", false, "", 0},
      {u"mail:25x", false, "", 0},
      {u"mail:", false, "", 0},
      {u":25", false, "", 0},
      {u"[::1]:2525", true, "::1", 2525},
      {u"[::1]", true, "::1", 0},
      {u"", false, "", 0},
  };
  for (const auto& c : cases) {
    auto a = split_server(c.field);
    ASSERT_EQ(a.has_value(), c.ok) << text::to_utf8(c.field);
    if (!a) continue;
    EXPECT_EQ(a->host, c.host);
    EXPECT_EQ(a->port, c.port);
  }
}

TEST(PlainAddress, OnlyOneAddressWithNothingAroundItBecomesACommand) {
  using F = text::AddressFault;
  const u16 local64(64, u'l');
  struct Case {
    u16 address;
    F fault;
  } cases[] = {
      {u"first.o'neil+shop@reel.example", F::None},
      {u"j\u00fcrgen@b\u00fccher.example", F::None},  // beyond ASCII: a matter for the server
      {u"", F::Empty},
      {u"office@reel.example\r\nRCPT TO:<other@example.org>", F::LineBreak},
      {u"office@reel.example> ORCPT=rfc822;other@example.org", F::Forbidden},
      {u"counter@shop.test>RCPT TO:<spy@example.org", F::Forbidden},
      {u"a@b,c@d", F::Forbidden},
      {u"a\u00a0b@c", F::Forbidden},  // a no-break space
      {u"a\u0085@b", F::Forbidden},   // a control character of Latin-1
      {u"@reel.example", F::NotOneAt},
      {local64 + u"@b", F::None},
      {local64 + u"l@b", F::TooLong},
      {u16(33, u'\u00fc') + u"@b", F::TooLong},  // 33 characters, 66 bytes of UTF-8
      {u"a@" + u16(252, u'd'), F::None},
      {u"a@" + u16(253, u'd'), F::TooLong},
  };
  for (const auto& c : cases) EXPECT_EQ(text::address_fault(c.address), c.fault) << text::to_utf8(c.address);
}

TEST(SmtpTraceLabels, NameTheStepThatFailed) {
  struct Event {
    char kind;  // 'o' command out, 'i' reply in, 'd' message data out
    std::string text;
  };
  struct Case {
    std::vector<Event> events;
    bool sending;
    std::string label;
    bool refused;
  } cases[] = {
      {{}, false, "recv() Reply", false},
      {{{'i', "554 go away\r\n"}}, false, "recv() Reply", true},
      {{{'i', "220 hi"}, {'o', "EHLO mail\r\n"}, {'i', "500 what\r\n"}}, false, "recv() HELO", true},
      {{{'o', "EHLO x"}, {'i', "250 ok"}, {'o', "MAIL FROM:<a@b>"}, {'i', "451 later"}}, false, "recv() MAIL FROM", true},
      {{{'o', "MAIL FROM:<a@b>"}, {'i', "250 ok"}, {'o', "RCPT TO:<c@d>"}, {'i', "550 no such user"}},
       false, "recv() RCPT TO", true},
      {{{'o', "RCPT TO:<c@d>"}, {'i', "250 ok"}, {'o', "DATA"}}, true, "send() DATA", false},
      {{{'o', "DATA"}, {'i', "354 go ahead"}, {'d', ""}, {'i', "552 too big"}}, false, "recv() end-message", true},
      {{{'o', "DATA"}, {'i', "354 go ahead"}, {'d', ""}}, true, "send() message-line", false},
      {{{'o', "STARTTLS"}, {'i', "454 no tls"}}, false, "recv() STARTTLS", true},
      {{{'o', "AUTH LOGIN"}, {'i', "334 VXNlcm5hbWU6"}, {'o', "DATAbase64user"}, {'i', "535 bad"}},
       false, "recv() AUTH", true},
      {{{'o', "quit\r\n"}}, false, "recv() QUIT", false},
      // The library closes a refused session with QUIT: the refusal still names the step.
      {{{'o', "RCPT TO:<c@d>"}, {'i', "550 no"}, {'o', "QUIT"}, {'i', "221 bye"}}, false, "recv() RCPT TO", true},
  };
  for (const auto& c : cases) {
    int forwarding = 0;
    SmtpTrace t([&](std::string_view l) { forwarding += l == "Forwarding mail"; });
    for (const auto& e : c.events) {
      if (e.kind == 'o') t.command_sent(e.text);
      if (e.kind == 'i') t.reply_received(e.text);
      if (e.kind == 'd') t.data_sent();
    }
    EXPECT_EQ(t.label(c.sending), c.label) << c.label;
    EXPECT_EQ(t.refused(), c.refused) << c.label;
    bool ready = false;
    for (const auto& e : c.events) ready |= e.text.starts_with("354");
    EXPECT_EQ(forwarding, ready ? 1 : 0) << c.label;
  }
}

TEST(MailSettingsBlock, FieldsAtTheirOffsetsAndLineBreaksRefused) {
  MailSettings s;
  s.set_server(u"S");
  s.set_target(u"T");
  s.set_sender(u"F");
  s.set_user(u"U");
  s.set_password(u"P");
  s.set_security(Security::StartTls);
  struct Field {
    size_t offset;
    char16_t c;
  } fields[] = {{320, u'S'}, {480, u'T'}, {640, u'F'}, {4, u'U'}, {160, u'P'}};
  for (auto f : fields) {
    EXPECT_EQ(text::get_u16(s.data() + f.offset), f.c) << f.offset;
    EXPECT_EQ(text::get_u16(s.data() + f.offset + 2), 0) << f.offset;
  }
  EXPECT_EQ(text::get_u16(s.data()), 1);
  // 79 characters fit each field of 160 bytes with its terminator.
  s.set_target(u16(100, u'x'));
  EXPECT_EQ(s.target().size(), 79u);

  EXPECT_TRUE(settings_are_safe(s));
  for (u16 bad : {u16(u"a@b\r\nRCPT TO:<c@d>"), u16(u"a@b\n"), u16(u"\ra@b")}) {
    MailSettings t = s;
    t.set_sender(bad);
    EXPECT_FALSE(settings_are_safe(t));
  }
}

}  // namespace
}  // namespace kelvo::mail
