#include "uploader/inventory.h"

#include <cctype>
#include <system_error>

#include "records/file_io.h"
#include "records/film_record.h"
#include "records/record_store.h"
#include "records/shop.h"
#include "text/coding.h"
#include "uploader/upload_config.h"

namespace kelvo::uploader {
namespace fs = std::filesystem;

// The copy and the XML are each replaced whole, so the upload never sends half a file and a
// failed run leaves the previous one as it was.
bool copy_film_file(const fs::path& folder) { return records::copy_file_replacing(folder / kFilmFile, folder / kCopyFile); }

ConvertResult convert_inventory(const fs::path& folder, const fs::path& xml_file, const exchange::FilmXmlFields& fields) {
  records::RecordCursor in(folder / kCopyFile, records::FilmRecord::kSize);
  if (!in.opened()) return ConvertResult::NoCopy;
  records::FileReplacement out(xml_file);
  if (!out.opened()) return ConvertResult::NoOutput;
  auto put = [&](text::u16view s) {
    const std::string bytes = text::utf16le_bytes(s);
    out.write(bytes.data(), bytes.size());
  };
  out.write("\xFF\xFE", 2);
  put(exchange::kXmlHead);
  records::FilmRecord film;
  records::ReadResult read = records::ReadResult::Ok;
  for (int64_t slot = 0; (read = in.read(slot, film.data())) == records::ReadResult::Ok; ++slot)
    if (film.number() > 0) put(exchange::xml_film_item(film, fields));
  put(exchange::kXmlTail);
  return read != records::ReadResult::NotOpened && out.commit() ? ConvertResult::Done : ConvertResult::NoOutput;
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
  return false;
}

}  // namespace kelvo::uploader
