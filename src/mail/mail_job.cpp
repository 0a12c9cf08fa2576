#include "mail/mail_job.h"

#include <netdb.h>
#include <sys/socket.h>

#include "text/email_address.h"
#include "text/format.h"

namespace kelvo::mail {

namespace {

constexpr char16_t kBlanks[] = u"    ";

void aborted(MailSink& sink) {
  sink.activity(u"Transmission aborted");
  sink.activity(kBlanks);
}

SmtpRequest request_of(const MailJob& job, const ServerAddress& server) {
  SmtpRequest r;
  r.host = server.host;
  r.port = server.port ? server.port : default_port();
  r.security = job.settings.security();
  r.user = text::to_utf8(job.settings.user());
  r.password = text::to_utf8(job.settings.password());
  r.from = text::to_utf8(job.settings.sender());
  r.to = text::to_utf8(job.recipient);
  r.message = &job.message;
  r.needs_smtputf8 = !text::is_ascii(job.settings.sender()) || !text::is_ascii(job.recipient);
  return r;
}

// The starters refuse such addresses already; a job built any other way still sends no command
// made of something that is not a plain address.
std::optional<text::u16> address_refusal(const MailJob& job) {
  if (auto why = address_problem(u"Your email", job.settings.sender())) return why;
  return address_problem(u"Target email", job.recipient);
}

// The failed step and the server's words, or the library's when the server said nothing.
text::u16 error_line(const SmtpOutcome& out, const SmtpTrace& trace) {
  bool server_refused = trace.refused();
  std::string label = trace.label(!server_refused && out.status == SmtpOutcome::Status::SendFailed);
  std::string why = server_refused ? trace.last_reply() : out.detail;
  return text::format("Error: %s", {text::from_utf8(label + ": " + why)});
}

}  // namespace

bool resolve_host(const std::string& host) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) return false;
  freeaddrinfo(found);
  return true;
}

int default_port() {
  servent entry{};
  servent* found = nullptr;
  char buffer[1024];
  if (getservbyname_r("mail", "tcp", &entry, buffer, sizeof buffer, &found) == 0 && found)
    return ntohs(static_cast<uint16_t>(found->s_port));
  return 25;
}

void run_mail_job(const MailJob& job, MailSink& sink, SmtpTransport& transport, Resolver resolve) {
  // 1. Who the mail is for.
  sink.activity(job.first_line);
  if (auto why = address_refusal(job)) {
    sink.problem(*why);
    aborted(sink);
    return;
  }
  // 2-3. The server located.
  auto server = split_server(job.settings.server());
  if (!server || !resolve(server->host)) {
    sink.problem(u"Cannot find SMTP mail server");
    aborted(sink);
    return;
  }
  sink.activity(text::format("Located mail server %s", {text::from_utf8(server->host)}));
  // 4-6. The conversation; every reply is looked at and the first refusal ends it.
  SmtpTrace trace([&sink](std::string_view line) { sink.activity(text::from_utf8(line)); });
  SmtpOutcome out = transport.send(request_of(job, *server), trace);
  switch (out.status) {
    case SmtpOutcome::Status::Sent:
      sink.activity(u"Transmission complete");
      sink.activity(kBlanks);
      return;
    case SmtpOutcome::Status::ConnectFailed:
      sink.problem(u"Error connecting to the server socket");
      aborted(sink);
      return;
    case SmtpOutcome::Status::NoSmtpUtf8:
      sink.problem(u"The mail server does not take e-mail addresses beyond plain ASCII (no SMTPUTF8)");
      aborted(sink);
      return;
    case SmtpOutcome::Status::SendFailed:
    case SmtpOutcome::Status::Failed:
      sink.activity(error_line(out, trace));
      aborted(sink);
      return;
  }
}

}  // namespace kelvo::mail
