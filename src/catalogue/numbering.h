#pragma once
// Number proposals for new films and members: the first number at or above the range's start
// that is not in use, stepping over the unbroken run of numbers that begins at the start. A gap
// further up is deliberately not looked for, so a range fills from its start in order.
#include <cstdint>

#include "records/config_block.h"
#include "records/number_index.h"

namespace kelvo::catalogue {

enum class FilmRange { Format1, Format2 };

int64_t propose_number(const records::NumberIndex& index, int64_t start);

// The start numbers are stored as start - 1.
int64_t film_range_start(const records::ConfigBlock& config, FilmRange range);
// A stored member start that would give a start below 1 is put back to 0 here.
int64_t member_range_start(records::ConfigBlock& config);

int64_t propose_film_number(const records::NumberIndex& index, const records::ConfigBlock& config, FilmRange range);
int64_t propose_member_number(const records::NumberIndex& index, records::ConfigBlock& config);

bool film_start_inhibited(const records::ConfigBlock& config);
bool member_start_inhibited(const records::ConfigBlock& config);

}  // namespace kelvo::catalogue
