#include "uploader/upload_session.h"

#include "text/format.h"
#include "uploader/inventory.h"

namespace kelvo::uploader {

UploadSession::UploadSession(std::filesystem::path folder, const platform::Clock& clock, const platform::Locale& locale,
                             FtpClient& ftp)
    : folder_(std::move(folder)), clock_(clock), locale_(locale), ftp_(ftp) {}

UploadSession::~UploadSession() { wait_for_transfers(); }

text::u16 UploadSession::time_line() const {
  const auto now = clock_.now();
  return text::format("%d:%02d ", {now.hour, now.minute}) + locale_.format_date(now, u"ddd MMM d yyyy").value_or(u"");
}

void UploadSession::start() {
  config_ = load_config(folder_);
  for (text::u16view line : {u"  ", u"Live website inventory utility for QUENDRIX", u"  ", u"Session start:"})
    log_.add(line);
  log_.add(time_line());
  log_.add(u"  ");
  log_.add(u"Upload frequency:");
  log_.add(interval_text(config_.interval()));
  log_.add(u"  ");
}

bool UploadSession::take_first_help() {
  if (config_.help_shown() != 0) return false;
  config_.set_help_shown(2);
  return true;
}

void UploadSession::apply_configuration(const ConfigChoice& choice) {
  config_.set_ftp_server(choice.server);
  config_.set_ftp_user(choice.user);
  config_.set_ftp_password(choice.password);
  config_.set_upload_name_raw(choice.upload_name);
  if (choice.interval >= 0 && choice.interval < kIntervalChoices) config_.set_interval(choice.interval);
  config_.set_local_only(choice.local_only);
  log_.add(u"Upload frequency:");
  log_.add(interval_text(config_.interval()));
  log_.add(u"  ");
}

UploadSession::Outcome UploadSession::upload() {
  auto fail = [this](text::u16view message) {
    log_.add(time_line());
    log_.add(message);
    log_.add(u"    ");
    return Outcome::Failed;
  };
  if (reap_finished()) {
    log_.add(time_line());
    log_.add(u"Upload skipped: the previous transfer is still running.");
    log_.add(u"  ");
    return Outcome::Skipped;
  }
  if (film_source_) {
    // A line the log would drop for its length is cut instead: the reason must show.
    const text::u16 problem = film_source_();
    if (!problem.empty()) return fail(text::u16view(problem).substr(0, UploadLog::kMaxLength));
  }
  // A copy that fails (film.dat missing or being written) is simply tried again next time.
  if (!copy_film_file(folder_)) return fail(u"Unable to locate QUENDRIX inventory file");

  const text::u16 name = config_.upload_name();
  ConvertResult converted = ConvertResult::NoOutput;
  if (!is_unsafe_upload_name(name))
    converted = convert_inventory(folder_, folder_ / text::to_utf8(name), config_.xml_fields());
  if (converted != ConvertResult::Done) {
    log_.add(time_line());
    log_.add(converted == ConvertResult::NoCopy ? u"Unable to locate inventory copy file" : u"Unable to produce upload file");
    log_.add(u"    ");
    return fail(u"Unable to convert inventory file for upload");
  }
  if (config_.local_only()) {
    log_.add(time_line());
    log_.add(u"Local file produced.");
    log_.add(u"    ");
    return Outcome::LocalFile;
  }

  // The login is read here, on the window's thread, so a settings change during the transfer
  // cannot tear it.
  FtpLogin login{text::to_utf8(config_.ftp_server()), text::to_utf8(config_.ftp_user()),
                 text::to_utf8(config_.ftp_password())};
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::thread thread([this, login, local = folder_ / text::to_utf8(name), remote = text::to_utf8(name), done] {
    transfer(login, local, remote);
    *done = true;
  });
  std::lock_guard lock(transfers_mutex_);
  transfers_.push_back({std::move(thread), done});
  return Outcome::Transferring;
}

void UploadSession::transfer(const FtpLogin& login, const std::filesystem::path& local, const std::string& remote) {
  auto report = [this](text::u16view line) {
    log_.add(time_line());
    log_.add(line);
    log_.add(u"  ");
  };
  if (login.server.empty()) return report(u"Please specify the FTP server in the configuration.");
  FtpResult result = ftp_.put(login, local, remote);
  switch (result.status) {
    case FtpResult::Status::Done:
      return report(u"Transfer complete.");
    case FtpResult::Status::OpenFailed:
      return report(text::format("InternetOpen error %ld", {result.code}));
    case FtpResult::Status::ConnectFailed:
      return report(text::format("Internet ftp connect error %ld", {result.code}));
    case FtpResult::Status::TransferFailed:
      return report(u"Transfer failed.");
  }
}

bool UploadSession::reap_finished() {
  std::lock_guard lock(transfers_mutex_);
  for (auto it = transfers_.begin(); it != transfers_.end();) {
    if (*it->done) {
      it->thread.join();
      it = transfers_.erase(it);
    } else {
      ++it;
    }
  }
  return !transfers_.empty();
}

void UploadSession::wait_for_transfers() {
  std::vector<Transfer> running;
  {
    std::lock_guard lock(transfers_mutex_);
    running.swap(transfers_);
  }
  for (auto& t : running) t.thread.join();
}

bool UploadSession::save() const { return save_config(folder_, config_); }

}  // namespace kelvo::uploader
