#pragma once
// The one thing the uploader asks of the network: put a local file on an FTP server.
#include <filesystem>
#include <string>

namespace kelvo::uploader {

struct FtpLogin {
  std::string server;  // host name, optionally ":port" (21 otherwise)
  std::string user;
  std::string password;
};

struct FtpResult {
  enum class Status { Done, OpenFailed, ConnectFailed, TransferFailed };
  Status status = Status::Done;
  long code = 0;  // the library's error number for OpenFailed and ConnectFailed
};

class FtpClient {
 public:
  virtual ~FtpClient() = default;
  // Sends the file in binary mode under remote_name (relative to the login folder).
  virtual FtpResult put(const FtpLogin& login, const std::filesystem::path& local, const std::string& remote_name) = 0;
};

}  // namespace kelvo::uploader
