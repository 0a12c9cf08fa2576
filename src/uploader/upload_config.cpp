#include "uploader/upload_config.h"

#include <algorithm>
#include <cstring>

#include "records/file_io.h"

namespace kelvo::uploader {

exchange::FilmXmlFields UploadConfig::xml_fields() const {
  exchange::FilmXmlFields fields;
  for (int i = 0; i < exchange::kFilmXmlOptionalFields; ++i)
    fields.set(static_cast<exchange::FilmXmlField>(i), field_flag(i) != 2);
  return fields;
}

void UploadConfig::set_xml_fields(const exchange::FilmXmlFields& fields) {
  for (int i = 0; i < exchange::kFilmXmlOptionalFields; ++i)
    set_field_flag(i, fields.includes(static_cast<exchange::FilmXmlField>(i)) ? 0 : 2);
}

text::u16 UploadConfig::upload_name() {
  if (upload_name_raw().empty()) set_upload_name_raw(kDefaultUploadName);
  return upload_name_raw();
}

UploadConfig load_config(const std::filesystem::path& folder) {
  UploadConfig config;
  auto bytes = records::read_whole(folder / kConfigFile);
  if (bytes) std::memcpy(config.data(), bytes->data(), std::min(bytes->size(), UploadConfig::kSize));
  return config;
}

bool save_config(const std::filesystem::path& folder, const UploadConfig& config) {
  return records::write_file_atomic(folder / kConfigFile, config.data(), UploadConfig::kSize);
}

text::u16 interval_text(int interval) {
  static const char16_t* const kTexts[kIntervalChoices] = {u"Manual", u"5 minutes", u"10 minutes", u"15 minutes",
                                                           u"20 minutes"};
  if (interval < 0 || interval >= kIntervalChoices) return {};
  return kTexts[interval];
}

int interval_ms(int interval) {
  if (interval < 1 || interval >= kIntervalChoices) return 0;
  return interval * 300000;
}

}  // namespace kelvo::uploader
