#pragma once
// Follows an SMTP conversation as the client library reports it (commands out, replies in,
// message data out), so that a failure can be named by the step that failed and the server's
// own words, and so that "Forwarding mail" appears when the server is ready for the message.
#include <functional>
#include <string>
#include <string_view>

namespace kelvo::mail {

enum class SmtpStep { Greeting, Helo, StartTls, Auth, MailFrom, RcptTo, Data, Message, Quit };

class SmtpTrace {
 public:
  using Line = std::function<void(std::string_view)>;
  explicit SmtpTrace(Line activity) : activity_(std::move(activity)) {}

  void command_sent(std::string_view command);
  void reply_received(std::string_view reply);
  void data_sent();

  SmtpStep step() const { return step_; }
  // The last reply line, without its line end; after a refusal, the refusal.
  const std::string& last_reply() const { return last_reply_; }
  // The server refused a step (4xx or 5xx). The step and reply stay those of the first refusal,
  // whatever the library sends afterwards to close the session.
  bool refused() const { return refused_; }
  // The server's last EHLO answer listed SMTPUTF8 (after STARTTLS, the answer to the new EHLO).
  bool offers_smtputf8() const { return offers_smtputf8_; }
  // The step's label as the activity pane names it: "recv() RCPT TO", "send() DATA", ...
  std::string label(bool sending) const;

 private:
  Line activity_;
  SmtpStep step_ = SmtpStep::Greeting;
  std::string last_reply_;
  bool refused_ = false;
  bool offers_smtputf8_ = false;
};

}  // namespace kelvo::mail
