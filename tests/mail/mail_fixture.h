#pragma once
// A first-run shop with wrmail.cfg pointing at a real SMTP server (aiosmtpd) on 127.0.0.1,
// started for each test and stopped at its end. Jobs run at once on the test's thread, sent
// through libcurl, and what the server received is read back byte for byte.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>

#include "mail/curl_smtp.h"
#include "mail/mail_commands.h"
#include "records/data_opening.h"
#include "support/scripted_operator.h"

namespace kelvo::mail {

// A refused recipient is any address starting "refused"; each message lands in <n>.eml, its
// recipients in <n>.eml.to and the parameters of its MAIL FROM in <n>.eml.opts. SMTPUTF8=1 in
// the environment makes the server offer SMTPUTF8.
constexpr char kSmtpServerScript[] = R"(
import asyncio, os, ssl, sys
from aiosmtpd.smtp import SMTP, AuthResult
out, port_file = sys.argv[1], sys.argv[2]
cert = sys.argv[3] if len(sys.argv) > 3 else None
class Handler:
    count = 0
    async def handle_RCPT(self, server, session, envelope, address, options):
        if address.startswith("refused"):
            return "550 5.1.1 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"
    async def handle_DATA(self, server, session, envelope):
        Handler.count += 1
        path = os.path.join(out, "%d.eml" % Handler.count)
        with open(path + ".tmp", "wb") as f:
            f.write(envelope.original_content)
        with open(path + ".to", "w", encoding="utf-8") as f:
            f.write(",".join(envelope.rcpt_tos))
        with open(path + ".opts", "w") as f:
            f.write(" ".join(envelope.mail_options))
        os.rename(path + ".tmp", path)
        return "250 Message accepted"
async def main():
    loop = asyncio.get_running_loop()
    if cert:
        # STARTTLS required before anything, then a login of shop / s3cret.
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(cert)
        def check(server, session, envelope, mechanism, auth_data):
            return AuthResult(success=auth_data.login == b"shop" and auth_data.password == b"s3cret")
        make = lambda: SMTP(Handler(), tls_context=context, require_starttls=True, authenticator=check,
                            auth_required=True, auth_require_tls=True)
    else:
        utf8 = os.environ.get("SMTPUTF8") == "1"
        make = lambda: SMTP(Handler(), enable_SMTPUTF8=utf8)
    server = await loop.create_server(make, "127.0.0.1", 0)
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.sockets[0].getsockname()[1]))
    os.rename(port_file + ".tmp", port_file)
    await server.serve_forever()
asyncio.run(main())
)";

inline std::string file_text(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The server process, killed with the test that started it.
class SmtpServer {
 public:
  ~SmtpServer() { stop(); }
  // The port it listens on, or 0 (with a test failure) when it did not start.
  // With tls, a throwaway certificate for 127.0.0.1 is made (cert.pem, its certificate alone in
  // cert.pem.crt) and the server wants STARTTLS and a login.
  int start(const std::filesystem::path& folder, const std::filesystem::path& inbox, bool tls = false,
            bool smtputf8 = false) {
    std::filesystem::create_directory(inbox);
    const std::string cert = (folder / "cert.pem").string();
    if (tls) {
      std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -keyout " + cert + " -out " + cert +
                         ".crt -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -days 2 2>/dev/null && cat " +
                         cert + ".crt >> " + cert;
      if (std::system(make.c_str()) != 0) {
        ADD_FAILURE() << "openssl could not make a certificate";
        return 0;
      }
    }
    std::ofstream(folder / "smtp.py") << kSmtpServerScript;
    const auto port_file = folder / "port";
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // a crashed test leaves no server behind
      if (smtputf8) setenv("SMTPUTF8", "1", 1);
      execl("/usr/bin/python3", "python3", (folder / "smtp.py").c_str(), inbox.c_str(), port_file.c_str(),
            tls ? cert.c_str() : static_cast<char*>(nullptr), static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 200 && !std::filesystem::exists(port_file); ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) != 0) {
        ADD_FAILURE() << "the SMTP server did not start; is python3-aiosmtpd installed (scripts/install-deps.sh)?";
        pid_ = -1;
        return 0;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!std::filesystem::exists(port_file)) {
      ADD_FAILURE() << "the SMTP server gave no port within 10 seconds";
      return 0;
    }
    return std::stoi(file_text(port_file));
  }
  void stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

 private:
  pid_t pid_ = -1;
};

class RecordingSink : public MailSink {
 public:
  std::vector<std::string> lines, problems;
  void activity(text::u16view line) override { lines.push_back(text::to_utf8(line)); }
  void problem(text::u16view t) override { problems.push_back(text::to_utf8(t)); }
};

// Finding a member by number needs no screen; anything else is cancelled.
class NoViews : public catalogue::CatalogueViews {
 public:
  catalogue::MatchChoice offer_film(const records::FilmRecord&) override { return catalogue::MatchChoice::Cancel; }
  catalogue::MatchChoice offer_member(const records::MemberRecord&) override { return catalogue::MatchChoice::Cancel; }
  void show_film(const records::FilmRecord&) override {}
  void show_member(const records::MemberRecord&) override {}
  catalogue::ListAnswer show_list_page(text::u16view, const std::vector<catalogue::ListRow>&, bool) override {
    return catalogue::ListAnswer::Cancel;
  }
  void show_multicopy(const catalogue::MulticopyResult&) override {}
};

// Answers "Email target" from the script and runs each job at once.
class ScriptedMailScreens : public MailScreens {
 public:
  std::deque<std::optional<MailSettings>> answers;
  int setups_shown = 0;
  std::vector<MailJob> jobs;
  RecordingSink sink;
  bool thread_fails = false;
  std::string ca_file;  // the test server's certificate, for TLS
  std::optional<MailSettings> edit_settings(const MailSettings&) override {
    ++setups_shown;
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  bool start(MailJob job) override {
    if (thread_fails) return false;
    jobs.push_back(job);
    CurlSmtpTransport curl(ca_file);
    run_mail_job(job, sink, curl);
    return true;
  }
};

class MailTest : public ::testing::Test {
 protected:
  MailTest()
      : folder_(testing::fresh_folder()), clock_(testing::at(2026, 12, 7, 14, 5)), shop_(folder_, op_, clock_, locale_) {
  }
  ~MailTest() override {
    server_.stop();
    std::filesystem::remove_all(folder_);
  }
  void SetUp() override {
    ASSERT_TRUE(records::open_data(shop_));
    shop_.started = clock_.now();
  }

  void start_server(bool tls = false) {
    inbox_ = folder_ / "inbox";
    port_ = server_.start(folder_, inbox_, tls);
    ASSERT_GT(port_, 0);
  }

  MailSettings settings(std::u16string target = u"office@shop.test") const {
    MailSettings s;
    s.set_server(u"127.0.0.1:" + text::from_utf8(std::to_string(port_ ? port_ : 25)));
    s.set_target(target);
    s.set_sender(u"counter@shop.test");
    return s;
  }
  void configure(std::u16string target = u"office@shop.test") { ASSERT_TRUE(save_settings(folder_, settings(target))); }

  // The message the server received, without the date and identity lines that change per run.
  std::string received(int n = 1) const {
    std::string all = file_text(inbox_ / (std::to_string(n) + ".eml"));
    std::string out;
    size_t at = 0;
    while (at < all.size()) {
      size_t end = all.find("\r\n", at);
      end = end == std::string::npos ? all.size() : end + 2;
      std::string line = all.substr(at, end - at);
      if (!line.starts_with("Date: ") && !line.starts_with("Message-ID: ")) out += line;
      at = end;
    }
    return out;
  }

  std::filesystem::path folder_, inbox_;
  testing::ScriptedOperator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  records::Shop shop_;
  ScriptedMailScreens screens_;
  SmtpServer server_;
  int port_ = 0;
};

}  // namespace kelvo::mail
