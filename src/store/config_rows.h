#pragma once
// wr.cfg in the database: the settings image (the block with every running figure zeroed) and
// one row per running figure, typed, so that a transaction can add to it on the server.
#include <cstdint>
#include <vector>

#include "records/config_figures.h"
#include "store/pg.h"

namespace kelvo::store {

// A running figure as the server's binary format carries it: the block's little-endian bytes
// reversed, so the figure travels bit for bit, whatever its bits (a float's sign of zero, a
// NaN's payload).
struct FigureValue {
  int32_t offset;
  records::cfg::FigureType type;
  std::vector<uint8_t> value;
};

// Takes every running figure out of a whole block, leaving zeros in its place.
std::vector<FigureValue> take_figures(uint8_t* block);
// Puts one figure back; false when it does not lie inside the block.
bool put_figure(uint8_t* block, int32_t offset, const std::vector<uint8_t>& value);

// Sends the block: the image to config_block, the figures to config_figure.
void put_config(Connection& db, const uint8_t* block);
// The block as the database holds it: the image with every figure put back at its place.
std::vector<uint8_t> get_config(Connection& db);

}  // namespace kelvo::store
