#pragma once
// The commands behind the letters, forms, cards and labels: each asks for what it needs, opens
// the document "QUENDRIX" and prints. Windows with fields of their own (texts, mail merge,
// barcodes, card and heading settings) are the Qt side's; these are called once they are filled.
#include <array>

#include "catalogue/catalogue_views.h"
#include "platform/printer.h"
#include "platform/progress.h"
#include "records/shop.h"
#include "reports/barcode_labels.h"
#include "reports/letter_texts.h"
#include "reports/mail_merge.h"

namespace kelvo::reports {

// The member a print is for: "Number / Last name / fragment", as every member prompt asks (the
// window titles the prompt with the command's name), found as "Find member" finds; loaded into
// shop.member. False when none was found or it was cancelled.
bool ask_member(records::Shop& shop, catalogue::CatalogueViews& views);

void overdue_letter_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p,
                            OverdueLetter which);
// "No unpaid fees." (caption "Problem") for a member who owes nothing; nothing is printed.
void unpaid_letter_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p);
void member_details_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p);
void rented_by_member_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p);
void photo_id_command(records::Shop& shop, catalogue::CatalogueViews& views, platform::Printer& p);

void print_application_form(records::Shop& shop, platform::Printer& p, text::u16view form_text, int copies);
void print_fixed_application_form(records::Shop& shop, platform::Printer& p);
MergeRun print_mail_merge_document(records::Shop& shop, platform::Printer& p, platform::Progress& progress,
                                   const MailMerge& merge);
LabelRun print_label_document(records::Shop& shop, platform::Printer& p, platform::Progress& progress,
                              const LabelSettings& s);

// "Store print heading": store address lines 1 to 6 (line 7 untouched), 40 characters each.
constexpr size_t kHeadingLineLimit = 40;
void set_print_heading(records::AddressLines& address, const std::array<text::u16, 6>& lines);

}  // namespace kelvo::reports
