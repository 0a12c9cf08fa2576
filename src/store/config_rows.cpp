#include "store/config_rows.h"

#include <algorithm>
#include <string>

namespace kelvo::store {

namespace {

using records::cfg::FigureType;

const char* kind_column(FigureType t) {
  switch (t) {
    case FigureType::I32: return "i32";
    case FigureType::I64: return "i64";
    case FigureType::F32: break;
  }
  return "f32";
}

// The server's binary integers and floats are the block's little-endian bytes reversed, so a
// figure travels bit for bit, whatever its bits (a float's sign of zero, a NaN's payload).
std::vector<uint8_t> reversed(const uint8_t* p, size_t n) { return std::vector<uint8_t>(std::reverse_iterator(p + n), std::reverse_iterator(p)); }

}  // namespace

void put_config(Connection& db, const uint8_t* block) {
  std::vector<uint8_t> image(block, block + records::cfg::kSize);
  Connection::CopyIn figures(db, "config_figure (byte_offset, kind, i32, i64, f32)");
  for (const auto& run : records::cfg::kRunningFigures) {
    const size_t width = records::cfg::figure_width(run.type);
    for (int k = 0; k < run.count; ++k) {
      const size_t at = run.offset + width * static_cast<size_t>(k);
      std::vector<Value> row{Value::i32(static_cast<int32_t>(at)), Value::text(kind_column(run.type)), Value::null(),
                             Value::null(), Value::null()};
      row[2 + static_cast<int>(run.type)] = Value{reversed(&image[at], width), false};
      figures.row(row);
      std::fill_n(&image[at], width, uint8_t{0});
    }
  }
  figures.end();
  db.query("INSERT INTO config_block (id, image) VALUES (1, $1)", {Value::bytes(image.data(), image.size())});
}

std::vector<uint8_t> get_config(Connection& db) {
  Result r = db.query("SELECT image FROM config_block WHERE id = 1");
  if (r.rows() != 1) throw Refused("the database holds no configuration block");
  const std::string image = r.text(0, 0);
  if (image.size() != records::cfg::kSize) throw Refused("the configuration block is not 92,808 bytes");
  std::vector<uint8_t> block(image.begin(), image.end());
  db.copy_out("SELECT byte_offset, kind, i32, i64, f32 FROM config_figure ORDER BY byte_offset",
              [&](const std::vector<Value>& row) {
                const int32_t at = be32(row[0].data.data());
                const std::string kind(row[1].data.begin(), row[1].data.end());
                const int col = kind == "i32" ? 2 : kind == "i64" ? 3 : 4;
                const auto& value = row[col];
                if (value.is_null || at < 0 || static_cast<size_t>(at) + value.data.size() > block.size())
                  throw Refused("a running figure of the configuration block is out of place");
                std::reverse_copy(value.data.begin(), value.data.end(), block.begin() + at);
              });
  return block;
}

}  // namespace kelvo::store
