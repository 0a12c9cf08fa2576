#pragma once
// One run of the uploader: its settings, its log, and the upload itself (copy, conversion,
// transfer on a worker thread of its own). The window drives it and owns the timer.
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/locale.h"
#include "uploader/ftp_client.h"
#include "uploader/upload_config.h"
#include "uploader/upload_log.h"

namespace kelvo::uploader {

// What the configuration screen hands back.
struct ConfigChoice {
  text::u16 server, user, password, upload_name;
  int interval = 0;
  bool local_only = false;
};

class UploadSession {
 public:
  UploadSession(std::filesystem::path folder, const platform::Clock& clock, const platform::Locale& locale,
                FtpClient& ftp);
  // Waits for the transfers still running, since they write to this session's log.
  ~UploadSession();

  UploadConfig& config() { return config_; }
  UploadLog& log() { return log_; }
  const std::filesystem::path& folder() const { return folder_; }

  // Run at each upload before film.dat is copied, to bring film.dat up to date from where the
  // shop is kept. An empty answer lets the upload go on; any other is the log's line for why it
  // cannot, and the upload ends there without copying, converting or sending anything.
  using FilmSource = std::function<text::u16()>;
  void set_film_source(FilmSource source) { film_source_ = std::move(source); }

  // Loads kelvow.cfg and writes the session's opening lines.
  void start();
  // True once, on the first start ever: the caller then opens the help.
  bool take_first_help();
  // The timer the settings ask for, in milliseconds; 0 means no timer.
  int timer_ms() const { return interval_ms(config_.interval()); }
  // Stores the screen's choices; an interval outside the five choices keeps the old one.
  void apply_configuration(const ConfigChoice& choice);

  enum class Outcome { Failed, LocalFile, Transferring, Skipped };
  // Copy, convert and (unless "Local file only") start the transfer without waiting for it.
  // Skipped, with a line in the log, while the last transfer is still running: a timer tick
  // or a press of the button then would rewrite the file being sent.
  Outcome upload();
  // Blocks until every transfer started so far has ended (tests and the end of the program).
  void wait_for_transfers();
  // Writes kelvow.cfg; false when it cannot be written.
  bool save() const;

  // "h:mm " and the day in the locale's "ddd MMM d yyyy".
  text::u16 time_line() const;

 private:
  struct Transfer {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  void transfer(const FtpLogin& login, const std::filesystem::path& local, const std::string& remote);
  // Joins the transfers that have ended; true when one is still running.
  bool reap_finished();

  std::filesystem::path folder_;
  const platform::Clock& clock_;
  const platform::Locale& locale_;
  FtpClient& ftp_;
  UploadConfig config_;
  UploadLog log_;
  FilmSource film_source_;
  std::mutex transfers_mutex_;
  std::vector<Transfer> transfers_;
};

}  // namespace kelvo::uploader
