#pragma once
// kelvow.cfg: the uploader's settings as one 61120-byte block, read whole at start and written
// whole at the end. Little-endian; texts UTF-16 with a terminating 0. Bytes no accessor names
// are kept as read.
//
//   0      4   upload interval 0 Manual, 1..4 = 5, 10, 15, 20 minutes
//   8      4   "Local file only" 2 = on, 0 = off
//   16     4   help shown 0 / 2
//   1048   76  19 field flags (0 included, 2 left out), in the XML item's order
//   4960   520 FTP server
//   5480   520 upload file name
//   55920  520 FTP user name
//   56440  520 FTP password
#include <filesystem>

#include "exchange/xml_film_item.h"
#include "records/record_image.h"

namespace kelvo::uploader {

inline constexpr char kConfigFile[] = "kelvow.cfg";
inline constexpr char16_t kDefaultUploadName[] = u"filmstock.xml";
inline constexpr int kIntervalChoices = 5;

class UploadConfig : public records::RecordImage<61120> {
 public:
  KELVO_I32(interval, 0)
  KELVO_I32(local_only_flag, 8)
  KELVO_I32(help_shown, 16)
  static constexpr size_t k_field_flags = 1048;
  KELVO_TEXT(ftp_server, 4960, 520)
  KELVO_TEXT(upload_name_raw, 5480, 520)
  KELVO_TEXT(ftp_user, 55920, 520)
  KELVO_TEXT(ftp_password, 56440, 520)

  bool local_only() const { return local_only_flag() == 2; }
  void set_local_only(bool on) { set_local_only_flag(on ? 2 : 0); }

  // Flag i of the 19 (0 included, 2 left out).
  int32_t field_flag(int i) const { return i32_at(k_field_flags + 4 * static_cast<size_t>(i)); }
  void set_field_flag(int i, int32_t v) { put_i32_at(k_field_flags + 4 * static_cast<size_t>(i), v); }
  exchange::FilmXmlFields xml_fields() const;
  void set_xml_fields(const exchange::FilmXmlFields& fields);

  // The configured name, or "filmstock.xml" (then also stored) when none is set.
  text::u16 upload_name();
};
static_assert(UploadConfig::kSize == 61120);

// The block of the file (what a short file holds, zeros beyond), all zeros when it is missing.
UploadConfig load_config(const std::filesystem::path& folder);
// Replaces kelvow.cfg through a temporary file; false when it cannot be written.
bool save_config(const std::filesystem::path& folder, const UploadConfig& config);

// "Manual", "5 minutes", ...; empty outside 0..4.
text::u16 interval_text(int interval);
// Milliseconds between timed uploads: 5 minutes per step, 0 for Manual or an unknown choice.
int interval_ms(int interval);

}  // namespace kelvo::uploader
