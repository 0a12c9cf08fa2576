#pragma once
// The mail commands of the counter: "Email setup", "Email report", "Email the day log" and
// "O&verdue email". Each starter builds its job whole on the counter's thread and hands it to
// a worker; the counter never waits on the network.
#include <optional>

#include "catalogue/catalogue_views.h"
#include "mail/mail_job.h"
#include "records/shop.h"

namespace kelvo::mail {

class MailScreens {
 public:
  virtual ~MailScreens() = default;
  // The screen "Email target" holding `current`; nullopt on Cancel.
  virtual std::optional<MailSettings> edit_settings(const MailSettings& current) = 0;
  // Runs the job on a worker thread of its own; false when no thread could be started.
  virtual bool start(MailJob job) = 0;
};

// "Email setup": true when wrmail.cfg was written.
bool email_setup(records::Shop& shop, MailScreens& screens);
// wrmail.cfg as a job needs it; "Email setup" first when the file is missing.
std::optional<MailSettings> settings_for_job(records::Shop& shop, MailScreens& screens);

void email_report(records::Shop& shop, MailScreens& screens);
void email_day_log(records::Shop& shop, MailScreens& screens);
void overdue_email(records::Shop& shop, catalogue::CatalogueViews& views, MailScreens& screens);

}  // namespace kelvo::mail
