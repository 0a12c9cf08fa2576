#include "mail/curl_smtp.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include <curl/curl.h>

namespace kelvo::mail {

namespace {

void global_init_once() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Reader {
  const std::string* text;
  size_t at = 0;
};

size_t read_message(char* out, size_t size, size_t count, void* user) {
  auto* r = static_cast<Reader*>(user);
  size_t n = std::min(size * count, r->text->size() - r->at);
  std::memcpy(out, r->text->data() + r->at, n);
  r->at += n;
  return n;
}

int follow(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  auto* trace = static_cast<SmtpTrace*>(user);
  std::string_view text(data, size);
  switch (type) {
    case CURLINFO_HEADER_OUT: trace->command_sent(text); break;
    case CURLINFO_HEADER_IN: trace->reply_received(text); break;
    case CURLINFO_DATA_OUT: trace->data_sent(); break;
    default: break;
  }
  return 0;
}

// Runs once the greeting, EHLO, STARTTLS and login are done and before MAIL FROM: the last
// moment at which an address the server cannot take may still stay unsent.
struct Gate {
  const SmtpRequest* request;
  const SmtpTrace* trace;
  bool stopped = false;
};

int before_mail(void* user, char*, char*, int, int) {
  auto* g = static_cast<Gate*>(user);
  if (!g->request->needs_smtputf8 || g->trace->offers_smtputf8()) return CURL_PREREQFUNC_OK;
  g->stopped = true;
  return CURL_PREREQFUNC_ABORT;
}

std::string url_of(const SmtpRequest& r) {
  std::string host = r.host.find(':') != std::string::npos ? "[" + r.host + "]" : r.host;
  std::string scheme = r.security == Security::Smtps ? "smtps://" : "smtp://";
  // The path names the host for HELO/EHLO, as the counter always greeted with the server's name.
  return scheme + host + ":" + std::to_string(r.port) + "/" + r.host;
}

bool is_connect_error(CURLcode rc) {
  return rc == CURLE_COULDNT_RESOLVE_HOST || rc == CURLE_COULDNT_CONNECT || rc == CURLE_OPERATION_TIMEDOUT;
}

}  // namespace

SmtpOutcome CurlSmtpTransport::send(const SmtpRequest& r, SmtpTrace& trace) {
  global_init_once();
  CURL* curl = curl_easy_init();
  if (!curl) return {SmtpOutcome::Status::Failed, "libcurl not available"};
  const std::string url = url_of(r);
  const std::string from = "<" + r.from + ">";
  curl_slist* rcpt = curl_slist_append(nullptr, ("<" + r.to + ">").c_str());
  Reader reader{r.message};
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, rcpt);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, read_message);
  curl_easy_setopt(curl, CURLOPT_READDATA, &reader);
  curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(r.message->size()));
  if (r.security == Security::StartTls) curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  if (!ca_file_.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, ca_file_.c_str());
  if (!r.user.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, r.user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, r.password.c_str());
  }
  curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, follow);
  curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &trace);
  // libcurl itself announces SMTPUTF8 in MAIL FROM when an address needs it and it is offered.
  Gate gate{&r, &trace};
  curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, before_mail);
  curl_easy_setopt(curl, CURLOPT_PREREQDATA, &gate);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, r.timeout_seconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, r.timeout_seconds);
  CURLcode rc = curl_easy_perform(curl);
  // The QUIT of the clean-up must not overwrite the step and reply that decided the outcome.
  curl_easy_setopt(curl, CURLOPT_VERBOSE, 0L);
  curl_easy_cleanup(curl);
  curl_slist_free_all(rcpt);
  if (rc == CURLE_OK) return {};
  if (gate.stopped) return {SmtpOutcome::Status::NoSmtpUtf8, curl_easy_strerror(rc)};
  SmtpOutcome out{SmtpOutcome::Status::Failed, curl_easy_strerror(rc)};
  if (is_connect_error(rc) && trace.last_reply().empty()) out.status = SmtpOutcome::Status::ConnectFailed;
  else if (rc == CURLE_SEND_ERROR) out.status = SmtpOutcome::Status::SendFailed;
  return out;
}

}  // namespace kelvo::mail
