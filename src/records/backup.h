#pragma once
// Options "Backup" and "Restore": the six data files copied to a folder the operator names, and
// copied back from a folder chosen by picking its wr.cfg.
#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::records {

// The screens of backup and restore beyond the ordinary prompts and message boxes.
class BackupScreens {
 public:
  virtual ~BackupScreens() = default;
  // The wait cursor while files are copied.
  virtual void busy(bool on) = 0;
  // "Restore data from backup files": false when the operator cancels.
  virtual bool explain_restore() = 0;
  // The open-file screen proposing the given file name; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> choose_file(text::u16view proposed_name) = 0;
};

// In the order they are copied; the first four must be present for a restore.
constexpr std::array<std::string_view, 6> kBackupFiles = {files::kConfig, files::kFilm, files::kMember,
                                                          files::kStock,  files::kReservations, files::kLog};
constexpr size_t kRequiredBackupFiles = 4;

// The folder proposed for the backup: the remembered one, else "KB" under the user's home.
text::u16 proposed_backup_folder(const ConfigBlock& config);

// Runs Options "Backup" to its end, with every message of its own.
void backup(Shop& shop, BackupScreens& screens);

// Runs Options "Restore". True when files were copied back: shop.do_not_save is then set and
// the program must end at once.
bool restore(Shop& shop, BackupScreens& screens);

}  // namespace kelvo::records
