#include "uploader/curl_ftp.h"

#include <strings.h>

#include <cstdio>
#include <mutex>

#include <curl/curl.h>

namespace kelvo::uploader {
namespace {

void global_init_once() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Each path segment escaped on its own, so a name with blanks or '#' still reaches the server
// as typed while '/' keeps separating folders.
std::string escaped_path(CURL* curl, const std::string& name) {
  std::string out;
  size_t start = 0;
  while (start <= name.size()) {
    size_t slash = name.find('/', start);
    if (slash == std::string::npos) slash = name.size();
    char* part = curl_easy_escape(curl, name.data() + start, static_cast<int>(slash - start));
    if (part) {
      out += part;
      curl_free(part);
    }
    if (slash < name.size()) out += '/';
    start = slash + 1;
  }
  return out;
}

// Failures before any file data moves count as connection failures (the login among them).
bool is_connect_error(CURLcode rc) {
  switch (rc) {
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_LOGIN_DENIED:
    case CURLE_GOT_NOTHING:
      return true;
    default:
      return false;
  }
}

// "ftps://" (TLS from the start) and "sftp://" in front of the server name are kept for servers
// that require them; a plain name is FTP that still asks for TLS (AUTH TLS) when the server offers
// it, so the login and the file never cross the network in clear where they need not.
struct Endpoint {
  std::string scheme;
  std::string host;
  long use_ssl;
};

Endpoint endpoint_of(const std::string& server) {
  static const struct {
    const char* prefix;
    long use_ssl;
  } kSchemes[] = {{"ftps://", CURLUSESSL_ALL}, {"sftp://", CURLUSESSL_NONE}, {"ftp://", CURLUSESSL_TRY}};
  for (const auto& s : kSchemes) {
    std::string prefix = s.prefix;
    if (server.size() > prefix.size() && strncasecmp(server.c_str(), prefix.c_str(), prefix.size()) == 0)
      return {prefix, server.substr(prefix.size()), s.use_ssl};
  }
  return {"ftp://", server, CURLUSESSL_TRY};
}

}  // namespace

FtpResult CurlFtpClient::put(const FtpLogin& login, const std::filesystem::path& local, const std::string& remote_name) {
  global_init_once();
  CURL* curl = curl_easy_init();
  if (!curl) return {FtpResult::Status::OpenFailed, 0};
  FILE* file = std::fopen(local.c_str(), "rb");
  if (!file) {
    curl_easy_cleanup(curl);
    return {FtpResult::Status::TransferFailed, 0};
  }
  std::fseek(file, 0, SEEK_END);
  long size = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);

  const Endpoint end = endpoint_of(login.server);
  // An SFTP path is absolute; the upload name is meant in the login's home folder.
  const char* root = end.scheme == "sftp://" ? "/~/" : "/";
  std::string url = end.scheme + end.host + root + escaped_path(curl, remote_name);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  if (end.use_ssl != CURLUSESSL_NONE) curl_easy_setopt(curl, CURLOPT_USE_SSL, end.use_ssl);
  if (!ca_file_.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, ca_file_.c_str());
  // TLS asked for only because the server offers it is there to keep the login out of clear
  // text; many shop servers offer it with a certificate of their own making, and refusing those
  // would stop uploads that used to go through in clear. "ftps://" asks for a certificate that
  // checks out, as does a named authority file.
  if (end.use_ssl == CURLUSESSL_TRY && ca_file_.empty()) {
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
  }
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "KELVOWEB");
  curl_easy_setopt(curl, CURLOPT_USERNAME, login.user.c_str());
  curl_easy_setopt(curl, CURLOPT_PASSWORD, login.password.c_str());
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_READDATA, file);
  curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeout_seconds_);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeout_seconds_);
  curl_easy_setopt(curl, CURLOPT_FTP_RESPONSE_TIMEOUT, timeout_seconds_);
  CURLcode rc = curl_easy_perform(curl);
  std::fclose(file);
  curl_easy_cleanup(curl);

  if (rc == CURLE_OK) return {};
  if (is_connect_error(rc)) return {FtpResult::Status::ConnectFailed, static_cast<long>(rc)};
  return {FtpResult::Status::TransferFailed, static_cast<long>(rc)};
}

}  // namespace kelvo::uploader
