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

}  // namespace

std::vector<FigureValue> take_figures(uint8_t* block) {
  std::vector<FigureValue> out;
  for (const auto& run : records::cfg::kRunningFigures) {
    const size_t width = records::cfg::figure_width(run.type);
    for (int k = 0; k < run.count; ++k) {
      uint8_t* at = block + run.offset + width * static_cast<size_t>(k);
      out.push_back({static_cast<int32_t>(at - block), run.type, std::vector<uint8_t>(std::reverse_iterator(at + width), std::reverse_iterator(at))});
      std::fill_n(at, width, uint8_t{0});
    }
  }
  return out;
}

bool put_figure(uint8_t* block, int32_t offset, const std::vector<uint8_t>& value) {
  if (offset < 0 || static_cast<size_t>(offset) + value.size() > records::cfg::kSize) return false;
  std::reverse_copy(value.begin(), value.end(), block + offset);
  return true;
}

void put_config(Connection& db, const uint8_t* block) {
  std::vector<uint8_t> image(block, block + records::cfg::kSize);
  Connection::CopyIn figures(db, "config_figure (byte_offset, kind, i32, i64, f32)");
  for (auto& f : take_figures(image.data())) {
    std::vector<Value> row{Value::i32(f.offset), Value::text(kind_column(f.type)), Value::null(), Value::null(),
                           Value::null()};
    row[2 + static_cast<int>(f.type)] = Value{std::move(f.value), false};
    figures.row(row);
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
  // Once counters have worked on the shop, each figure is its imported value plus their parts.
  const bool parts = db.query("SELECT to_regproc('kelvo_figure') IS NOT NULL").text(0, 0) == std::string(1, '\1');
  const std::string query = parts ? "SELECT byte_offset, kind, kelvo_figure(byte_offset) FROM config_figure ORDER BY byte_offset"
                                  : "SELECT byte_offset, kind, i32, i64, f32 FROM config_figure ORDER BY byte_offset";
  db.copy_out(query, [&](const std::vector<Value>& row) {
    const std::string kind(row[1].data.begin(), row[1].data.end());
    const auto& value = parts ? row[2] : row[kind == "i32" ? 2 : kind == "i64" ? 3 : 4];
    if (value.is_null || !put_figure(block.data(), be32(row[0].data.data()), value.data))
      throw Refused("a running figure of the configuration block is out of place");
  });
  return block;
}

}  // namespace kelvo::store
