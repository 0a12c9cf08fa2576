#include "reports/letter_commands.h"

#include "catalogue/member_find.h"
#include "reports/letters.h"
#include "reports/photo_id.h"
#include "reports/print_job.h"

namespace kelvo::reports {

namespace {

// One member's page: find the member, open the document, lay it out, hand it over.
template <class Layout>
void member_print(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p, Layout layout) {
  if (!ask_member(shop, views)) return;
  if (!begin_document(p, shop.op())) return;
  layout(shop.member);
  end_document(p, shop.op());
}

}  // namespace

bool ask_member(records::Shop& shop, catalogue::CatalogueViews& views) {
  platform::PromptOptions o;
  o.max_length = static_cast<int>(catalogue::kNameSearchLimit);
  o.first_name_box = true;
  auto a = shop.op().prompt(u"Number / Last name / fragment", o);
  if (!a || a->text.empty()) return false;
  return catalogue::find_member(shop, views, *a, false) > 0;
}

void overdue_letter_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p,
                            OverdueLetter which) {
  member_print(shop, views, p, [&](const records::MemberRecord& m) { overdue_letter(p, shop, m, which); });
}

void unpaid_letter_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p) {
  if (!ask_member(shop, views)) return;
  if (shop.member.owed() <= 0) {
    platform::problem(shop.op(), u"No unpaid fees.");
    return;
  }
  if (!begin_document(p, shop.op())) return;
  unpaid_letter(p, shop, shop.member);
  end_document(p, shop.op());
}

void member_details_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p) {
  member_print(shop, views, p, [&](const records::MemberRecord& m) { member_details(p, shop, m); });
}

void rented_by_member_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p) {
  member_print(shop, views, p, [&](const records::MemberRecord& m) { rented_by_member(p, shop, m); });
}

void photo_id_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p) {
  const PhotoIdSettings settings = load_photo_id_settings(shop.config);
  member_print(shop, views, p, [&](const records::MemberRecord& m) { photo_id_card(p, shop, m, settings); });
}

void print_application_form(records::Shop& shop, platform::Printer& p, text::u16view form_text, int copies) {
  if (copies <= 0 || !begin_document(p, shop.op())) return;
  application_form(p, shop, form_text, copies);
  end_document(p, shop.op());
}

void print_fixed_application_form(records::Shop& shop, platform::Printer& p) {
  if (!begin_document(p, shop.op())) return;
  fixed_application_form(p, shop);
  end_document(p, shop.op());
}

MergeRun print_mail_merge_document(records::Shop& shop, platform::Printer& p, platform::Progress& progress,
                                   const MailMerge& merge) {
  if (!begin_document(p, shop.op())) return {.cancelled = true};
  MergeRun run = print_mail_merge(p, shop, merge, progress);
  progress.finish();  // the window goes before the printer may say anything
  end_document(p, shop.op());
  return run;
}

LabelRun print_label_document(records::Shop& shop, platform::Printer& p, platform::Progress& progress,
                              const LabelSettings& s) {
  if (!begin_document(p, shop.op())) return {.cancelled = true};
  LabelRun run = print_labels(p, shop, s, progress);
  progress.finish();  // the window goes before the printer may say anything
  end_document(p, shop.op());
  return run;
}

void set_print_heading(records::AddressLines& address, const std::array<text::u16, 6>& lines) {
  for (int i = 0; i < 6; ++i) address.set_line(i + 1, text::u16view(lines[i]).substr(0, kHeadingLineLimit));
}

}  // namespace kelvo::reports
