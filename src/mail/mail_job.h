#pragma once
// One mail job: everything it sends, copied on the counter's thread, and the conversation that
// runs on the job's own worker thread. The worker touches nothing of the shop; its activity
// lines and message boxes go through a sink that hands them to the counter's thread.
#include <string>

#include "mail/mail_settings.h"
#include "mail/smtp_trace.h"
#include "text/utf16.h"

namespace kelvo::mail {

struct MailJob {
  MailSettings settings;   // the job's own copy of wrmail.cfg
  text::u16 recipient;     // the target, or the member's e-mail for a reminder
  text::u16 first_line;    // "Report to: %s" or "Overdue reminder to: %s"
  std::string message;     // UTF-8, lines ended by CR LF, the end marker not included
};

// Where a job reports; called on the worker thread.
class MailSink {
 public:
  virtual ~MailSink() = default;
  virtual void activity(text::u16view line) = 0;
  virtual void problem(text::u16view text) = 0;  // a "Problem" message box
};

// What the client library is asked to do.
struct SmtpRequest {
  std::string host;
  int port = 25;
  Security security = Security::Plain;
  std::string user, password;  // empty user: no AUTH
  std::string from, to;
  const std::string* message = nullptr;
  long timeout_seconds = 60;
  // An address beyond ASCII goes only to a server that offers SMTPUTF8; the client announces
  // the extension, or ends the session before MAIL FROM when the server does not offer it.
  bool needs_smtputf8 = false;
};

struct SmtpOutcome {
  enum class Status { Sent, ConnectFailed, SendFailed, Failed, NoSmtpUtf8 } status = Status::Sent;
  std::string detail;  // the library's own description of a local failure
};

// The thin shell around the network: the conversation of the request, reported to the trace.
class SmtpTransport {
 public:
  virtual ~SmtpTransport() = default;
  virtual SmtpOutcome send(const SmtpRequest& request, SmtpTrace& trace) = 0;
};

// Resolves a host name; false when it has no address.
using Resolver = bool (*)(const std::string& host);
bool resolve_host(const std::string& host);
// The port of the "mail" service, else 25.
int default_port();

// The conversation: the first line, the server located, the mail sent, and "Transmission
// complete" only when the server accepted the message.
void run_mail_job(const MailJob& job, MailSink& sink, SmtpTransport& transport, Resolver resolve = resolve_host);

}  // namespace kelvo::mail
