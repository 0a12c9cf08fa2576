#include "records/backup.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/operator.h"
#include "records/file_io.h"
#include "records/journal.h"
#include "records/transaction_log.h"
#include "text/format.h"

namespace kelvo::records {

namespace fs = std::filesystem;

namespace {

constexpr size_t kFolderPromptLength = 34;
constexpr size_t kFolderMaxChars = cfg::kBackupFolderWidth / 2 - 1;

void store_backup_time(ConfigBlock& c, const text::DateTime& t) {
  const int v[5] = {t.minute, t.hour, t.day, t.month, t.year};
  for (int i = 0; i < 5; ++i) c.set_i32(cfg::kLastBackup + 4 * i, v[i]);
}

fs::path resolve(const Shop& shop, text::u16view folder) {
  fs::path p(text::to_utf8(folder));
  return p.is_absolute() ? p : shop.folder() / p;
}

// Opens (or creates) lgb4.dat inside the folder, as the backup's own test that the folder is
// there and writable.
bool touch(const fs::path& file) { return append_bytes(file, "", 0); }

bool make_backup_folder(platform::Operator& op, const fs::path& folder) {
  fs::path probe = folder / files::kLog;
  if (touch(probe)) return true;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    platform::problem(op, u"Unable to create folder.");
    return false;
  }
  if (!touch(probe)) {
    platform::problem(op, u"Unable to open file.");
    return false;
  }
  return true;
}

// Linux names are case-sensitive; a backup made elsewhere may hold WR.CFG or FILM.DAT.
fs::path find_file(const fs::path& folder, std::string_view name) {
  fs::path exact = folder / name;
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  text::u16 want = text::to_upper(text::from_utf8(name));
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (text::to_upper(text::from_utf8(it->path().filename().string())) == want) return it->path();
  }
  return exact;
}

}  // namespace

text::u16 proposed_backup_folder(const ConfigBlock& config) {
  text::u16 remembered = config.str(cfg::kBackupFolder, cfg::kBackupFolderWidth);
  if (!remembered.empty()) return remembered;
  const char* home = std::getenv("HOME");
  fs::path p = fs::path(home && *home ? home : "/") / "KB";
  return text::from_utf8(p.string());
}

void backup(Shop& shop, BackupScreens& screens) {
  platform::Operator& op = shop.op();
  text::DateTime t = shop.now();
  store_backup_time(shop.config, t);
  if (!shop.save_config()) return;

  platform::PromptOptions o;
  o.proposal = proposed_backup_folder(shop.config);
  // The proposal of the home folder may be longer than a typed folder; it must show whole.
  o.max_length = static_cast<int>(std::max(kFolderPromptLength, std::min(o.proposal.size(), kFolderMaxChars)));
  auto answer = op.prompt(u"Backup: enter the directory", o);
  if (!answer) return;
  text::u16 typed = answer->text.substr(0, kFolderMaxChars);
  shop.config.set_str(cfg::kBackupFolder, cfg::kBackupFolderWidth, typed);
  fs::path folder = resolve(shop, typed);

  screens.busy(true);
  text::u16 line = text::format("\r\n%d:%d %d/%d/%d  File backup\r\n", {t.hour, t.minute, t.day, t.month, t.year});
  if (!append_log(shop, line)) platform::problem(op, u"Data file: lgb4.dat.");

  bool ok = make_backup_folder(op, folder);
  for (size_t i = 0; ok && i < kBackupFiles.size(); ++i) {
    if (!copy_file_replacing(shop.path(kBackupFiles[i]), folder / kBackupFiles[i])) {
      screens.busy(false);
      platform::problem(op, u"Unable to open file");
      return;
    }
  }
  screens.busy(false);
  if (ok) op.message(u"File backup", u"Complete");
}

bool restore(Shop& shop, BackupScreens& screens) {
  platform::Operator& op = shop.op();
  if (!screens.explain_restore()) return false;
  auto chosen = screens.choose_file(u"WR.CFG");
  if (!chosen) return false;

  text::u16 path = text::from_utf8(chosen->string());
  size_t at = text::to_upper(path).rfind(u"WR.CFG");
  if (at == text::u16::npos) {
    op.message(u"Fatal error", u"File not present.");
    return false;
  }
  fs::path folder(text::to_utf8(path.substr(0, at)));
  if (folder.empty()) folder = ".";

  std::array<fs::path, kBackupFiles.size()> sources;
  for (size_t i = 0; i < kBackupFiles.size(); ++i) sources[i] = find_file(folder, kBackupFiles[i]);
  for (size_t i = 0; i < kRequiredBackupFiles; ++i) {
    std::error_code ec;
    text::u16 shown = text::from_utf8(sources[i].string());
    if (!fs::is_regular_file(sources[i], ec)) {
      op.message(u"File not present.", shown);
      return false;
    }
    if (fs::file_size(sources[i], ec) == 0 || ec) {
      op.message(u"File has no content", shown, platform::Buttons::OkCancel);
      return false;
    }
  }
  screens.busy(true);
  bool all_copied = true;
  for (size_t i = 0; i < kBackupFiles.size(); ++i) {
    std::error_code ec;
    if (i >= kRequiredBackupFiles && !fs::exists(sources[i], ec)) continue;
    if (!copy_file_replacing(sources[i], shop.path(kBackupFiles[i]))) all_copied = false;
  }
  // A transaction left over from before belongs to the files just replaced, not to these.
  remove_file(shop.path(kJournalFile));
  screens.busy(false);
  // Some files may be the restored ones already: whatever happened, the data held in memory
  // must not be written over them at exit.
  shop.do_not_save = true;
  if (!all_copied) {
    platform::problem(op, u"Unable to open file");
    return true;
  }
  op.message(u"Restore complete", u"QUENDRIX will now close down");
  return true;
}

}  // namespace kelvo::records
