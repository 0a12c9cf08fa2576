#include "store/figure_parts.h"

#include <bit>

#include "store/pg.h"
#include "text/coding.h"

namespace kelvo::store {

using records::cfg::FigureType;

void FigureParts::load(Connection& db) {
  figures_.clear();
  db.copy_out("SELECT byte_offset, kind, i32, i64, f32 FROM config_figure", [&](const std::vector<Value>& row) {
    Figure& f = figures_[be32(row[0].data.data())];
    const std::string kind(row[1].data.begin(), row[1].data.end());
    f.type = kind == "i32" ? FigureType::I32 : kind == "i64" ? FigureType::I64 : FigureType::F32;
    const Value& v = row[f.type == FigureType::I32 ? 2 : f.type == FigureType::I64 ? 3 : 4];
    if (v.is_null) return;
    if (f.type == FigureType::I32 && v.data.size() == 4) f.whole = be32(v.data.data());
    if (f.type == FigureType::I64 && v.data.size() == 8) f.whole = be64(v.data.data());
    if (f.type == FigureType::F32 && v.data.size() == 4) f.real = std::bit_cast<float>(static_cast<uint32_t>(be32(v.data.data())));
  });
  db.copy_out("SELECT byte_offset, counter, i, f FROM config_figure_part", [&](const std::vector<Value>& row) {
    set(be32(row[0].data.data()), std::string(row[1].data.begin(), row[1].data.end()), be64(row[2].data.data()),
        std::bit_cast<double>(be64(row[3].data.data())));
  });
}

void FigureParts::set(int32_t offset, const std::string& counter, int64_t whole, double part) {
  auto f = figures_.find(offset);
  if (f != figures_.end()) f->second.parts[counter] = {whole, part};
}

std::pair<int64_t, double> FigureParts::part(int32_t offset, const std::string& counter) const {
  const auto f = figures_.find(offset);
  if (f == figures_.end()) return {0, 0.0};
  const auto p = f->second.parts.find(counter);
  return p == f->second.parts.end() ? std::pair<int64_t, double>{0, 0.0} : p->second;
}

void FigureParts::add(int32_t offset, const std::string& counter, int64_t whole, double part) {
  auto f = figures_.find(offset);
  if (f == figures_.end()) return;
  auto [p, fresh] = f->second.parts.try_emplace(counter, whole, part);
  if (fresh) return;
  p->second.first += whole;
  p->second.second += part;
}

FigureType FigureParts::type(int32_t offset) const {
  auto f = figures_.find(offset);
  return f == figures_.end() ? FigureType::I32 : f->second.type;
}

std::vector<uint8_t> FigureParts::value(int32_t offset) const {
  auto found = figures_.find(offset);
  if (found == figures_.end()) return {};
  const Figure& f = found->second;
  int64_t whole = 0;
  double part = 0;
  // As the server's sum: the first part as it is (a lone -0 stays -0), then the others added.
  bool first = true;
  for (const auto& [counter, p] : f.parts) {
    whole += p.first;
    part = first ? p.second : part + p.second;
    first = false;
  }
  std::vector<uint8_t> out(records::cfg::figure_width(f.type));
  switch (f.type) {
    case FigureType::I32: text::put_i32(out.data(), static_cast<int32_t>(f.whole + whole)); break;
    case FigureType::I64: text::put_i64(out.data(), static_cast<int64_t>(static_cast<uint64_t>(f.whole) + static_cast<uint64_t>(whole))); break;
    case FigureType::F32: text::put_f32(out.data(), static_cast<float>(double{f.real} + part)); break;
  }
  return out;
}

}  // namespace kelvo::store
