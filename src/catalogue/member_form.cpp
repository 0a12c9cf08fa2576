#include "catalogue/member_form.h"

#include "catalogue/numbering.h"
#include "records/access.h"
#include "records/record_files.h"
#include "text/format.h"

namespace kelvo::catalogue {

namespace {
constexpr std::array<int, kMemberFieldCount> kLimits = {19, 5,  28, 28, 29, 29, 29, 19, 9,  19, 18, 19, 18, 39,
                                                        29, 29, 29, 29, 29, 29, 39, 18, 19, 19, 19, 19, 19};
}

int MemberForm::limit(MemberField f) { return kLimits[static_cast<size_t>(f)]; }

MemberForm::MemberForm(FormLayout layout, int year) : layout_(layout), year_(year), boxes_(kLimits) {}

bool rental_credits_box_shown(const records::ConfigBlock& config) {
  const int64_t op = config.signed_on_operator();
  return op == 1 || op == 2 || !records::restricted(config, records::Flag::NoRentalCreditButton);
}

MemberForm MemberForm::blank(records::Shop& shop, MemberAddKind kind) {
  const auto now = shop.now();
  MemberForm form(FormLayout::New, now.year);
  const bool inhibit = member_start_inhibited(shop.config);
  const int64_t proposal = propose_member_number(shop.members.index(), shop.config);
  form.set(MemberField::Number, inhibit ? text::u16() : text::format("%I64d", {proposal}));
  form.number_focused_ = inhibit;
  form.set(MemberField::RentalCredits, u"0");
  form.set(MemberField::MembershipFee, u"0.00");
  form.join = today_choice(now);
  if (kind == MemberAddKind::Expiry30) form.expiry = days_ahead(now, 30);
  if (kind == MemberAddKind::Expiry90) form.expiry = days_ahead(now, 90);
  form.rental_credits_shown_ = rental_credits_box_shown(shop.config);
  return form;
}

MemberForm MemberForm::amend(const records::MemberRecord& m, int current_year, bool rental_credits_shown) {
  MemberForm form(FormLayout::Amend, current_year);
  form.load(m);
  form.rental_credits_shown_ = rental_credits_shown;
  return form;
}

void MemberForm::load(const records::MemberRecord& m) {
  set(MemberField::Number, text::format("%I64d", {m.number()}));
  set(MemberField::Title, m.title());
  set(MemberField::Initial, m.initial());
  set(MemberField::MiddleName, m.middle_name());
  set(MemberField::Name, m.name());
  set(MemberField::Road, m.road());
  set(MemberField::Area, m.area());
  set(MemberField::Town, m.town());
  set(MemberField::PostCode, m.post_code());
  set(MemberField::Telephone1, m.telephone1());
  set(MemberField::Telephone1Ext, m.telephone1_ext());
  set(MemberField::Telephone2, m.telephone2());
  set(MemberField::Telephone2Ext, m.telephone2_ext());
  set(MemberField::Email, m.email());
  set(MemberField::DrivingLicence, m.driving_licence());
  set(MemberField::Social, m.social());
  set(MemberField::Comment1, m.comment1());
  set(MemberField::Comment2, m.comment2());
  set(MemberField::Family1, m.family1());
  set(MemberField::Family2, m.family2());
  set(MemberField::CreditCard, m.credit_card());
  set(MemberField::CreditCardExpiry, m.credit_card_expiry());
  set(MemberField::Pin, m.pin());
  set(MemberField::Rented, text::format("%d", {m.rented()}));
  set(MemberField::RentalCredits, text::format("%d", {m.rental_credits()}));
  set(MemberField::Discount, text::format("%.2f", {m.discount()}));
  category = m.category();
  type_of_membership = m.type_of_membership();
  highlight_comment = m.highlight_comment() == 2;
  born = choice_from_date(m.born());
  if (!birth_lists().offers(born)) born = {};
  join = choice_from_date(m.join_date());
  if (!join_lists().offers(join)) join = {};
  expiry = choice_from_date(m.expiry());
  if (!expiry_lists().offers(expiry)) expiry = {};
}

float MemberForm::membership_fee() const {
  return shows_fee() ? static_cast<float>(text::parse_double(get(MemberField::MembershipFee))) : 0.0f;
}

void MemberForm::store_into(records::MemberRecord& m) const {
  if (number_editable()) m.set_number(text::parse_int64(get(MemberField::Number)));
  m.set_title(get(MemberField::Title));
  m.set_initial(get(MemberField::Initial));
  m.set_middle_name(get(MemberField::MiddleName));
  m.set_name(get(MemberField::Name));
  m.set_road(get(MemberField::Road));
  m.set_area(get(MemberField::Area));
  m.set_town(get(MemberField::Town));
  m.set_post_code(get(MemberField::PostCode));
  m.set_telephone1(get(MemberField::Telephone1));
  m.set_telephone1_ext(get(MemberField::Telephone1Ext));
  m.set_telephone2(get(MemberField::Telephone2));
  m.set_telephone2_ext(get(MemberField::Telephone2Ext));
  m.set_email(get(MemberField::Email));
  m.set_driving_licence(get(MemberField::DrivingLicence));
  m.set_social(get(MemberField::Social));
  m.set_comment1(get(MemberField::Comment1));
  m.set_comment2(get(MemberField::Comment2));
  m.set_family1(get(MemberField::Family1));
  m.set_family2(get(MemberField::Family2));
  m.set_credit_card(get(MemberField::CreditCard));
  m.set_credit_card_expiry(get(MemberField::CreditCardExpiry));
  m.set_pin(get(MemberField::Pin));
  m.set_rented(static_cast<int32_t>(text::parse_int64(get(MemberField::Rented))));
  if (rental_credits_shown_)
    m.set_rental_credits(static_cast<int32_t>(text::parse_int64(get(MemberField::RentalCredits))));
  m.set_discount(static_cast<float>(text::parse_double(get(MemberField::Discount))));
  m.set_category(category);
  m.set_type_of_membership(type_of_membership);
  m.set_highlight_comment(highlight_comment ? 2 : 0);
  m.set_born(optional_date(born));
  m.set_join_date(chosen_date_or(join, m.join_date()));
  m.set_expiry(expiry_date(expiry));
}

const char16_t* MemberForm::refusal(const records::MemberRecord& m) {
  if (m.number() < 1 || m.number() > records::kMaxNumber) return u"Number outside range.";
  if (m.name().size() < 2) return u"The name must have at least two characters.";
  if (m.category() < 1 || m.category() > 4000) return u"Invalid category (1-4000)";
  return nullptr;
}

}  // namespace kelvo::catalogue
