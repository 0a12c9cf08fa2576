#include "records/access.h"

#include "platform/operator.h"

namespace kelvo::records {

namespace {

using cfg::AccessA;
using cfg::access_a;

// The first twelve and the next five store 0 for restricted; the rest store 2 for restricted.
const std::array<FlagInfo, kFlagCount> kFlags = {{
    {Flag::Configuration, u"Configuration", cfg::kAccessConfiguration, 8, true},
    {Flag::DeleteFilm, u"Delete a film", access_a(AccessA::DeleteFilm), 8, true},
    {Flag::DeleteMember, u"Delete a member", access_a(AccessA::DeleteMember), 8, true},
    {Flag::PruneMembership, u"Prune membership", access_a(AccessA::PruneMembership), 8, true},
    {Flag::SundriesAmend, u"Sundries amend", access_a(AccessA::SundriesAmend), 8, true},
    {Flag::StatusDisplay, u"Status display", access_a(AccessA::StatusDisplay), 8, true},
    {Flag::Takings, u"Takings", access_a(AccessA::Takings), 8, true},
    {Flag::PrintTakings, u"Print takings", access_a(AccessA::PrintTakings), 8, true},
    {Flag::PurgeTakings, u"Purge takings", access_a(AccessA::PurgeTakings), 8, true},
    {Flag::PurgeLogFiles, u"Purge log files", access_a(AccessA::PurgeLogFiles), 8, true},
    {Flag::TakingsAmendment, u"Takings amendment", access_a(AccessA::TakingsAmendment), 8, true},
    {Flag::FileReset, u"File reset", access_a(AccessA::FileReset), 8, true},
    {Flag::SellFilm, u"Sell film", cfg::kAccessSellFilm, 4, true},
    {Flag::AmendCredit, u"Amend credit", cfg::kAccessAmendCredit, 4, true},
    {Flag::SpecialOffers, u"Special offers", cfg::kAccessSpecialOffers, 4, true},
    {Flag::SundriesDelete, u"Sundries delete", cfg::kAccessSundriesDelete, 4, true},
    {Flag::RentalRefund, u"Rental refund", cfg::kAccessRentalRefund, 4, true},
    {Flag::AmendOnRental, u"Amend button on rental", cfg::kAccessAmendOnRental, 4, false},
    {Flag::AmendFilm, u"Amend film", cfg::kAccessAmendFilm, 4, false},
    {Flag::FreeOnRental, u"Free button on rental", cfg::kAccessFreeOnRental, 4, false},
    {Flag::Tax, u"Tax", cfg::kAccessTax, 4, false},
    {Flag::NoRentalCreditButton, u"No rental credit button on new member or amend member",
     cfg::kAccessNoCreditButton, 4, false},
    {Flag::NoAmendOnOverdueReturn, u"Remove amend button on overdue return",
     cfg::kAccessNoAmendOnOverdue, 4, false},
    {Flag::NoAmendWhenOwing, u"Remove amend on rental when customer owes",
     cfg::kAccessNoAmendWhenOwing, 4, false},
}};

int64_t stored(const ConfigBlock& config, const FlagInfo& f) {
  return f.width == 8 ? config.i64(f.offset) : config.i32(f.offset);
}

}  // namespace

const std::array<FlagInfo, kFlagCount>& flag_table() { return kFlags; }

const FlagInfo& flag_info(Flag f) { return kFlags[static_cast<size_t>(f)]; }

bool restricted(const ConfigBlock& config, Flag f) {
  const FlagInfo& info = flag_info(f);
  int64_t v = stored(config, info);
  return info.zero_restricts ? v == 0 : v == 2;
}

void set_restricted(ConfigBlock& config, Flag f, bool on) {
  const FlagInfo& info = flag_info(f);
  int64_t v = (on == !info.zero_restricts) ? 2 : 0;
  if (info.width == 8)
    config.set_i64(info.offset, v);
  else
    config.set_i32(info.offset, static_cast<int32_t>(v));
}

AccessState access_after_sign_on(int64_t op_number) {
  return op_number == 1 || op_number == 2 ? AccessState::Unrestricted : AccessState::Restricted;
}

bool may_use(const ConfigBlock& config, AccessState state, Flag f) {
  return state == AccessState::Unrestricted || !restricted(config, f);
}

bool may_administer(AccessState state) { return state == AccessState::Unrestricted; }

bool require_administrator(platform::Operator& op, AccessState state) {
  if (may_administer(state)) return true;
  op.message(u"Restricted access", u"Administrator or manager");
  return false;
}

}  // namespace kelvo::records
