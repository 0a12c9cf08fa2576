#include "uploader/inventory.h"

#include <cctype>
#include <fstream>
#include <system_error>

#include "records/film_record.h"
#include "records/shop.h"
#include "uploader/upload_config.h"

namespace kelvo::uploader {
namespace fs = std::filesystem;
namespace {

fs::path temp_beside(const fs::path& file) { return fs::path(file) += ".tmp"; }

bool write_u16(std::ofstream& out, text::u16view s) {
  std::string bytes;
  bytes.reserve(s.size() * 2);
  for (char16_t c : s) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

bool copy_film_file(const fs::path& folder) {
  const fs::path target = folder / kCopyFile;
  const fs::path temp = temp_beside(target);
  std::error_code ec;
  fs::remove(temp, ec);
  if (!fs::copy_file(folder / kFilmFile, temp, fs::copy_options::overwrite_existing, ec)) {
    fs::remove(temp, ec);
    return false;
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

ConvertResult convert_inventory(const fs::path& folder, const fs::path& xml_file, const exchange::FilmXmlFields& fields) {
  std::ifstream in(folder / kCopyFile, std::ios::binary);
  if (!in) return ConvertResult::NoCopy;
  const fs::path temp = temp_beside(xml_file);
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) return ConvertResult::NoOutput;

  bool good = out.write("\xFF\xFE", 2) && write_u16(out, exchange::kXmlHead);
  records::FilmRecord film;
  while (good && in.read(reinterpret_cast<char*>(film.data()), records::FilmRecord::kSize)) {
    if (film.number() <= 0) continue;
    good = write_u16(out, exchange::xml_film_item(film, fields));
  }
  good = good && write_u16(out, exchange::kXmlTail);
  out.close();
  std::error_code ec;
  if (!good || out.fail()) {
    fs::remove(temp, ec);
    return ConvertResult::NoOutput;
  }
  fs::rename(temp, xml_file, ec);
  if (ec) {
    fs::remove(temp, ec);
    return ConvertResult::NoOutput;
  }
  return ConvertResult::Done;
}

bool is_unsafe_upload_name(text::u16view name) {
  fs::path p(text::to_utf8(name));
  if (p.empty() || p.is_absolute() || !p.has_filename()) return true;
  for (const auto& part : p)
    if (part == "..") return true;
  auto lower = [](std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  const std::string n = lower(p.lexically_normal().string());
  namespace files = records::files;
  for (std::string_view own : {std::string_view(kCopyFile), std::string_view(kConfigFile), std::string_view("wrmail.cfg"),
                               files::kFilm, files::kMember, files::kStock, files::kConfig, files::kAddress,
                               files::kReservations, files::kLog, files::kPreviousLog})
    if (n == lower(std::string(own))) return true;
  // The temporary names of the copy and the settings.
  if (n == std::string(kCopyFile) + ".tmp" || n == std::string(kConfigFile) + ".tmp") return true;
  return false;
}

}  // namespace kelvo::uploader
