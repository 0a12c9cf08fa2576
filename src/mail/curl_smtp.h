#pragma once
// SmtpTransport through libcurl: reply codes checked, the message dot-stuffed and ended, TLS
// and AUTH when the settings ask for them. The password goes to libcurl as an option of its
// own and never into a URL or an activity line.
#include "mail/mail_job.h"

namespace kelvo::mail {

class CurlSmtpTransport : public SmtpTransport {
 public:
  SmtpOutcome send(const SmtpRequest& request, SmtpTrace& trace) override;
};

}  // namespace kelvo::mail
