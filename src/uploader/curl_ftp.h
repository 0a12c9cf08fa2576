#pragma once
// FtpClient through libcurl. The password goes to libcurl as an option of its own, never into
// the URL, so it cannot appear in an error text or a log line.
#include <string>

#include "uploader/ftp_client.h"

namespace kelvo::uploader {

class CurlFtpClient : public FtpClient {
 public:
  // A transfer that makes no progress for this long fails instead of hanging its thread.
  // ca_file: certificates to trust instead of the system's (a shop's own server); empty: the system's.
  explicit CurlFtpClient(long timeout_seconds = 60, std::string ca_file = {})
      : timeout_seconds_(timeout_seconds), ca_file_(std::move(ca_file)) {}
  FtpResult put(const FtpLogin& login, const std::filesystem::path& local, const std::string& remote_name) override;

 private:
  long timeout_seconds_;
  std::string ca_file_;
};

}  // namespace kelvo::uploader
