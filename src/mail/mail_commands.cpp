#include "mail/mail_commands.h"

#include "catalogue/member_find.h"
#include "mail/mail_message.h"
#include "text/format.h"

namespace kelvo::mail {

using text::u16;

namespace {

constexpr char16_t kTarget[] = u"Target email";
constexpr char16_t kSender[] = u"Your email";

// Why the typed or stored settings cannot be used, or nothing when they can. A field left empty
// is kept: a shop that mails only reminders needs no target, and the job that needs one says so.
std::optional<u16> settings_fault(const MailSettings& s) {
  if (!settings_are_safe(s)) return u16(kLineBreakRefused);
  if (!s.server().empty() && !split_server(s.server())) return u16(u"SMTP server: a host name, or host:port");
  for (auto [field, value] : {std::pair{kTarget, s.target()}, std::pair{kSender, s.sender()}})
    if (!value.empty())
      if (auto why = address_problem(field, value)) return why;
  return std::nullopt;
}

// The addresses a job is about to be built with, both needed; false after saying why not.
bool addresses_usable(records::Shop& shop, const MailSettings& s, text::u16view recipient_field,
                      text::u16view recipient) {
  auto why = address_problem(kSender, s.sender());
  if (!why) why = address_problem(recipient_field, recipient);
  if (why) platform::problem(shop.op(), *why);
  return !why;
}

void start_job(records::Shop& shop, MailScreens& screens, MailJob job) {
  if (!screens.start(std::move(job))) platform::problem(shop.op(), u"Unable to start thread");
}

MailJob job_for(const MailSettings& settings, const u16& recipient, const u16& first_line, const u16& message) {
  MailJob job{settings, recipient, first_line, text::to_utf8(message)};
  job.settings.set_target(recipient);
  return job;
}

Moment moment_of(const records::Shop& shop) { return {shop.now(), shop.started}; }

std::optional<u16> read_log(const records::Shop& shop) {
  auto bytes = records::read_whole(shop.path(records::files::kLog));
  if (!bytes) return std::nullopt;
  u16 log(bytes->size() / 2, u'\0');
  for (size_t i = 0; i < log.size(); ++i) log[i] = text::get_u16(bytes->data() + 2 * i);
  return log;
}

bool has_loans(const records::MemberRecord& m) {
  for (int s = 0; s < records::MemberRecord::kLoanSlots; ++s)
    if (m.on_loan(s) != 0) return true;
  return false;
}

}  // namespace

bool email_setup(records::Shop& shop, MailScreens& screens) {
  MailSettings shown = load_settings(shop.folder()).value_or(MailSettings{});
  for (;;) {
    auto typed = screens.edit_settings(shown);
    if (!typed) return false;
    shown = *typed;
    if (auto fault = settings_fault(shown)) {
      shop.warn();
      platform::problem(shop.op(), *fault);
      continue;
    }
    if (!save_settings(shop.folder(), shown)) {
      platform::problem(shop.op(), u"Unable to create WRMAIL.CFG");
      return false;
    }
    return true;
  }
}

std::optional<MailSettings> settings_for_job(records::Shop& shop, MailScreens& screens) {
  auto settings = load_settings(shop.folder());
  if (!settings) {
    if (!email_setup(shop, screens)) return std::nullopt;
    settings = load_settings(shop.folder());
    if (!settings) return std::nullopt;
  }
  // A file edited by hand gets the same refusal as the screen gives.
  if (auto fault = settings_fault(*settings)) {
    platform::problem(shop.op(), *fault);
    return std::nullopt;
  }
  return settings;
}

void email_report(records::Shop& shop, MailScreens& screens) {
  auto settings = settings_for_job(shop, screens);
  if (!settings) return;
  const u16 target = settings->target();
  if (!addresses_usable(shop, *settings, kTarget, target)) return;
  u16 message = mail_head(settings->sender(), target, u"QUENDRIX report", mime_stamp(shop.now(), settings->sender()));
  message += day_report_body(day_figures(shop), moment_of(shop), shop.locale());
  start_job(shop, screens, job_for(*settings, target, text::format("Report to: %s", {target}), message));
}

void email_day_log(records::Shop& shop, MailScreens& screens) {
  auto settings = settings_for_job(shop, screens);
  if (!settings) return;
  const u16 target = settings->target();
  if (!addresses_usable(shop, *settings, kTarget, target)) return;
  auto log = read_log(shop);
  if (!log) {
    platform::problem(shop.op(), u"Unable to open file.");
    return;
  }
  u16 message = mail_head(settings->sender(), target, u"QUENDRIX report", mime_stamp(shop.now(), settings->sender()));
  message += day_log_body(day_figures(shop), moment_of(shop), shop.locale(), *log);
  start_job(shop, screens, job_for(*settings, target, text::format("Report to: %s", {target}), message));
}

void overdue_email(records::Shop& shop, catalogue::CatalogueViews& views, MailScreens& screens) {
  auto settings = settings_for_job(shop, screens);
  if (!settings) return;
  platform::PromptOptions find;
  find.max_length = static_cast<int>(catalogue::kNameSearchLimit);
  find.first_name_box = true;
  auto typed = shop.op().prompt(u"Number / Last name / fragment", find);
  if (!typed || typed->text.empty()) return;
  if (catalogue::find_member(shop, views, *typed, false) == 0) return;
  // The member as found now; the counter may change shop.member once the job is running.
  const records::MemberRecord member = shop.member;
  if (!has_loans(member)) return platform::problem(shop.op(), u"No films on loan");
  const u16 email = member.email();
  if (email.empty()) return platform::problem(shop.op(), u"No email address");
  if (!addresses_usable(shop, *settings, u"Member's email", email)) return;
  std::vector<OverdueItem> items;
  if (!overdue_items(shop, member, items)) {
    shop.op().message(u"Fatal error", u"Data file: film.dat, not present.");
    return;
  }
  u16 message = mail_head(settings->sender(), email, u"Overdue item(s)", mime_stamp(shop.now(), settings->sender()));
  message += reminder_body(shop.address, member.number(), items, shop.now(), shop.locale());
  start_job(shop, screens, job_for(*settings, email, text::format("Overdue reminder to: %s", {email}), message));
}

}  // namespace kelvo::mail
