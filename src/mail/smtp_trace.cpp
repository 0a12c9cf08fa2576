#include "mail/smtp_trace.h"

#include <algorithm>
#include <cctype>

namespace kelvo::mail {

namespace {

bool starts_with_word(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if ((text[i] & ~0x20) != word[i]) return false;
  return true;
}

bool same_word(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

std::string_view without_line_end(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
  return s;
}

}  // namespace

void SmtpTrace::command_sent(std::string_view command) {
  if (refused_) return;
  // An answer to a login challenge is base64 and may happen to begin like a command.
  if (step_ == SmtpStep::Auth && last_reply_.rfind("334", 0) == 0) return;
  struct Word {
    std::string_view word;
    SmtpStep step;
  };
  static constexpr Word kWords[] = {{"EHLO", SmtpStep::Helo},     {"HELO", SmtpStep::Helo},
                                    {"STARTTLS", SmtpStep::StartTls}, {"AUTH", SmtpStep::Auth},
                                    {"MAIL", SmtpStep::MailFrom}, {"RCPT", SmtpStep::RcptTo},
                                    {"DATA", SmtpStep::Data},     {"QUIT", SmtpStep::Quit}};
  for (const auto& w : kWords)
    if (starts_with_word(command, w.word)) {
      step_ = w.step;
      // What a server offers before STARTTLS does not hold after it; each greeting lists it anew.
      if (step_ == SmtpStep::Helo) offers_smtputf8_ = false;
      return;
    }
  // Anything else is an AUTH continuation; the step stays as it is.
}

void SmtpTrace::reply_received(std::string_view reply) {
  if (refused_) return;
  last_reply_ = std::string(without_line_end(reply));
  refused_ = !last_reply_.empty() && (last_reply_[0] == '4' || last_reply_[0] == '5');
  // An EHLO answer lists one extension a line: "250-SMTPUTF8", or "250 SMTPUTF8" last.
  if (step_ == SmtpStep::Helo && last_reply_.size() >= 4 && last_reply_.rfind("250", 0) == 0 &&
      (last_reply_[3] == '-' || last_reply_[3] == ' ')) {
    std::string_view keyword = std::string_view(last_reply_).substr(4);
    keyword = keyword.substr(0, keyword.find(' '));
    if (same_word(keyword, "SMTPUTF8")) offers_smtputf8_ = true;
  }
  if (step_ == SmtpStep::Data && last_reply_.rfind("354", 0) == 0 && activity_) activity_("Forwarding mail");
}

void SmtpTrace::data_sent() {
  if (refused_) return;
  if (step_ == SmtpStep::Data || step_ == SmtpStep::Message) step_ = SmtpStep::Message;
}

std::string SmtpTrace::label(bool sending) const {
  const std::string dir = sending ? "send() " : "recv() ";
  switch (step_) {
    case SmtpStep::Greeting: return "recv() Reply";
    case SmtpStep::Helo: return dir + "HELO";
    case SmtpStep::StartTls: return dir + "STARTTLS";
    case SmtpStep::Auth: return dir + "AUTH";
    case SmtpStep::MailFrom: return dir + "MAIL FROM";
    case SmtpStep::RcptTo: return dir + "RCPT TO";
    case SmtpStep::Data: return dir + "DATA";
    // Once the message has gone, what is left is the end marker and its reply.
    case SmtpStep::Message: return sending ? "send() message-line" : "recv() end-message";
    case SmtpStep::Quit: return dir + "QUIT";
  }
  return dir;
}

}  // namespace kelvo::mail
