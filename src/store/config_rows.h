#pragma once
// wr.cfg in the database: the settings image (the block with every running figure zeroed) and
// one row per running figure, typed, so that a transaction can add to it on the server.
#include <cstdint>
#include <vector>

#include "records/config_figures.h"
#include "store/pg.h"

namespace kelvo::store {

// Sends the block: the image to config_block, the figures to config_figure.
void put_config(Connection& db, const uint8_t* block);
// The block as the database holds it: the image with every figure put back at its place.
std::vector<uint8_t> get_config(Connection& db);

}  // namespace kelvo::store
