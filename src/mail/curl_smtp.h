#pragma once
// SmtpTransport through libcurl: reply codes checked, the message dot-stuffed and ended, TLS
// and AUTH when the settings ask for them. The password goes to libcurl as an option of its
// own and never into a URL or an activity line.
#include <string>

#include "mail/mail_job.h"

namespace kelvo::mail {

class CurlSmtpTransport : public SmtpTransport {
 public:
  // ca_file: certificates to trust instead of the system's (a shop's own server); empty: the system's.
  explicit CurlSmtpTransport(std::string ca_file = {}) : ca_file_(std::move(ca_file)) {}
  SmtpOutcome send(const SmtpRequest& request, SmtpTrace& trace) override;

 private:
  std::string ca_file_;
};

}  // namespace kelvo::mail
