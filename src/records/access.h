#pragma once
// Who may use what: the 24 restrictable functions of the "PASSWORD CONTROL" screen, each kept
// as a flag of the configuration block, and the access state of the operator signed on in
// this run. The stored polarity differs between the two groups of flags, so every read and
// write goes through restricted() and set_restricted().
#include <array>
#include <cstddef>
#include <cstdint>

#include "records/config_block.h"
#include "text/utf16.h"

namespace kelvo::platform { class Operator; }

namespace kelvo::records {

// In screen order.
enum class Flag {
  Configuration, DeleteFilm, DeleteMember, PruneMembership, SundriesAmend, StatusDisplay,
  Takings, PrintTakings, PurgeTakings, PurgeLogFiles, TakingsAmendment, FileReset, SellFilm,
  AmendCredit, SpecialOffers, SundriesDelete, RentalRefund, AmendOnRental, AmendFilm,
  FreeOnRental, Tax, NoRentalCreditButton, NoAmendOnOverdueReturn, NoAmendWhenOwing,
};
constexpr int kFlagCount = 24;

struct FlagInfo {
  Flag flag;
  const char16_t* label;  // the check box text
  size_t offset;
  int width;              // 8: int64 field, 4: int field
  bool zero_restricts;    // true: 0 = restricted, 2 = open; false: 2 = restricted, 0 = open
};
const std::array<FlagInfo, kFlagCount>& flag_table();
const FlagInfo& flag_info(Flag f);

bool restricted(const ConfigBlock& config, Flag f);
void set_restricted(ConfigBlock& config, Flag f, bool on);

// Restricted at every start; unrestricted only after operator 1 or 2 signed on in this run.
enum class AccessState { Unrestricted = 0, Restricted = 2 };
AccessState access_after_sign_on(int64_t op_number);

// A command guarded by a flag may run when the state is unrestricted or the flag is open.
bool may_use(const ConfigBlock& config, AccessState state, Flag f);
// "Password control", "Operator setup" and "Import": operators 1 and 2 only.
bool may_administer(AccessState state);
// As may_administer, showing "Administrator or manager" (caption "Restricted access") when not.
bool require_administrator(platform::Operator& op, AccessState state);

}  // namespace kelvo::records
