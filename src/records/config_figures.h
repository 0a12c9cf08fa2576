#pragma once
// The running figures of the configuration block: the values that transactions move on by an
// amount (today's takings, the day's counters and totals, the till's figures) rather than set.
// Everything else in the block is a setting, a day-close value (the history, the day before) or
// a stretch nobody names, and is written whole by whoever changes it. A store that several
// counters share keeps each running figure apart, so that two counters' amounts add up instead
// of one block overwriting the other's.
#include <cstddef>
#include <cstdint>

#include "records/config_layout.h"

namespace kelvo::records::cfg {

enum class FigureType : uint8_t { I32, I64, F32 };

// `count` consecutive values of one type from `offset` on.
struct FigureRun {
  size_t offset;
  FigureType type;
  int count;
};

constexpr size_t figure_width(FigureType t) { return t == FigureType::I64 ? 8 : 4; }

inline constexpr FigureRun kRunningFigures[] = {
    {kTakingsToday, FigureType::F32, 1},
    // The day counters feed the float history series one for one.
    {kDayCounters, FigureType::F32, kDayCounterCount},
    {kCashRefundsToday, FigureType::F32, 1},
    {kDayTotals, FigureType::F32, kDayTotalCount},
    {kReturnsToday, FigureType::I64, 1},
    {kRentalsToday, FigureType::I64, 1},
    // Rental counters by category and band, today and month: 60 ints from 1760 to 2000, each
    // group of ten cleared together.
    {kCategoryHighToday, FigureType::I32, 60},
    {kNewMembersToday, FigureType::I64, 1},
    {kTransactionCounter, FigureType::I32, 1},
    {kDayValue2500, FigureType::I32, 2},
    {kDayFigures, FigureType::F32, static_cast<int>((kDayFiguresEnd - kDayFigures) / 4)},
    {kMembershipTakingsToday, FigureType::F32, 1},
    {kReservationCounter, FigureType::I32, 1},
    {kTillRentals, FigureType::F32, 7},
    {kTillCloseouts, FigureType::I32, 3},
};

// No two runs overlap and all lie inside the block: checked where the table is used.
constexpr bool running_figures_sound() {
  size_t end = 0;
  for (const auto& r : kRunningFigures) {
    if (r.offset < end) return false;
    end = r.offset + figure_width(r.type) * static_cast<size_t>(r.count);
  }
  return end <= kSize;
}
static_assert(running_figures_sound(), "running figures must be in offset order, apart, inside the block");

}  // namespace kelvo::records::cfg
