// Uploads to a real FTP server (pyftpdlib) on 127.0.0.1, started here for each test and stopped
// at its end.
#include "uploader/curl_ftp.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/file.h>

#include <chrono>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "uploader/unattended.h"
#include "uploader/upload_session.h"
#include "uploader_fixture.h"

namespace kelvo::uploader {
namespace {

using namespace testing;
namespace fs = std::filesystem;

constexpr char kServerScript[] = R"(
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
root, port_file = sys.argv[1], sys.argv[2]
auth = DummyAuthorizer()
auth.add_user("shop", "s3cret", root, perm="elradfmw")
handler = FTPHandler
if len(sys.argv) > 3:
    # Explicit FTPS with a throwaway certificate; clear text refused.
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

    class DataChannel(TLS_DTPHandler):
        # libcurl starts TLS on the data connection as soon as it is made, before STOR; the
        # server would take the waiting handshake for a client gone away and drop the channel.
        def readable(self):
            return True if self._ssl_accepting else super().readable()

    handler = TLS_FTPHandler
    handler.dtp_handler = DataChannel
    handler.certfile = sys.argv[3]
    handler.tls_control_required = True
    handler.tls_data_required = True
handler.authorizer = auth
handler.auth_failed_timeout = 0
server = FTPServer(("127.0.0.1", 0), handler)
with open(port_file + ".tmp", "w") as f:
    f.write(str(server.address[1]))
import os
os.rename(port_file + ".tmp", port_file)
server.serve_forever(timeout=0.2)
)";

class FtpServerTest : public UploaderTest {
 protected:
  void SetUp() override { start_server(false); }
  // With tls, a certificate for 127.0.0.1 is made first and the server requires TLS.
  void start_server(bool tls) {
    root_ = folder_ / "site";
    fs::create_directory(root_);
    std::ofstream(folder_ / "server.py") << kServerScript;
    const fs::path port_file = folder_ / "port";
    const fs::path cert = folder_ / "cert.pem";
    if (tls) {
      std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -keyout " + cert.string() + " -out " +
                         cert.string() + ".crt -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -days 2 "
                         "2>/dev/null && cat " + cert.string() + ".crt >> " + cert.string();
      ASSERT_EQ(std::system(make.c_str()), 0) << "openssl could not make a certificate";
    }
    pid_ = fork();
    ASSERT_GE(pid_, 0);
    if (pid_ == 0) {
      execl("/usr/bin/python3", "python3", (folder_ / "server.py").c_str(), root_.c_str(), port_file.c_str(),
            tls ? cert.c_str() : static_cast<char*>(nullptr), static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 200 && !fs::exists(port_file); ++i) {
      int status = 0;
      ASSERT_EQ(waitpid(pid_, &status, WNOHANG), 0)
          << "the FTP server did not start; is python3-pyftpdlib installed (scripts/install-deps.sh)?";
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(fs::exists(port_file)) << "the FTP server gave no port within 10 seconds";
    port_ = std::stoi(file_bytes(port_file));
  }
  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  std::string server() const { return "127.0.0.1:" + std::to_string(port_); }

  fs::path root_;
  pid_t pid_ = -1;
  int port_ = 0;
  CurlFtpClient ftp_{10};
};

TEST_F(FtpServerTest, UploadsTheDocumentByteForByte) {
  UploadSession session(folder_, clock_, locale_, ftp_);
  session.start();
  session.apply_configuration(
      {text::from_utf8(server()), u"shop", u"s3cret", u"my stock.xml", 0, false});
  write_films(folder_, {film(5, u"Heat"), film(-1, u"Gone"), film(6, u"\u00c9t\u00e9 <1>")});
  ASSERT_EQ(session.upload(), UploadSession::Outcome::Transferring);
  session.wait_for_transfers();
  auto lines = session.log().lines();
  EXPECT_EQ(lines[lines.size() - 2], u"Transfer complete.");
  ASSERT_TRUE(fs::exists(root_ / "my stock.xml"));
  EXPECT_EQ(file_bytes(root_ / "my stock.xml"), file_bytes(folder_ / "my stock.xml"));
  EXPECT_GT(fs::file_size(root_ / "my stock.xml"), 2000u);
}

TEST_F(FtpServerTest, WrongPasswordFailsAtTheLoginAndIsNeverLogged) {
  UploadSession session(folder_, clock_, locale_, ftp_);
  session.start();
  session.apply_configuration({text::from_utf8(server()), u"shop", u"wrong-pass", u"", 0, false});
  write_films(folder_, {film(5, u"Heat")});
  ASSERT_EQ(session.upload(), UploadSession::Outcome::Transferring);
  session.wait_for_transfers();
  auto lines = session.log().lines();
  EXPECT_EQ(lines[lines.size() - 2], u"Internet ftp connect error 67");
  EXPECT_FALSE(fs::exists(root_ / "filmstock.xml"));
  for (const auto& line : lines) EXPECT_EQ(line.find(u"wrong-pass"), text::u16::npos);
}

TEST_F(FtpServerTest, NoServerListeningIsAConnectError) {
  write_films(folder_, {film(5, u"Heat")});
  std::ofstream(folder_ / "x.xml") << "x";
  TearDown();  // the port is now closed
  pid_ = -1;
  FtpResult r = ftp_.put({server(), "shop", "s3cret"}, folder_ / "x.xml", "x.xml");
  EXPECT_EQ(r.status, FtpResult::Status::ConnectFailed);
}

// A server that refuses clear text: the upload goes through because the client asks for TLS.
class FtpsServerTest : public FtpServerTest {
 protected:
  void SetUp() override { start_server(true); }
};

TEST_F(FtpsServerTest, UploadsOverTlsAndChecksTheCertificateWhenAskedTo) {
  // The test server's certificate is its own making: trusted through the named file, accepted
  // when TLS is only taken because it is offered and no file is named, refused when the named
  // authorities do not vouch for it.
  const std::string ca = (folder_ / "cert.pem.crt").string();
  struct Case {
    std::string ca_file;
    const char16_t* last_line;  // nullptr: nothing may arrive
  } cases[] = {
      {ca, u"Transfer complete."},
      {"", u"Transfer complete."},
      {"/etc/ssl/certs/ca-certificates.crt", nullptr},
  };
  for (const auto& c : cases) {
    fs::remove(root_ / "filmstock.xml");
    CurlFtpClient ftps(10, c.ca_file);
    UploadSession session(folder_, clock_, locale_, ftps);
    session.start();
    session.apply_configuration({text::from_utf8(server()), u"shop", u"s3cret", u"", 0, false});
    write_films(folder_, {film(5, u"Heat")});
    ASSERT_EQ(session.upload(), UploadSession::Outcome::Transferring);
    session.wait_for_transfers();
    auto lines = session.log().lines();
    SCOPED_TRACE("ca file: " + c.ca_file);
    if (c.last_line) {
      EXPECT_EQ(lines[lines.size() - 2], c.last_line);
      EXPECT_EQ(file_bytes(root_ / "filmstock.xml"), file_bytes(folder_ / "filmstock.xml"));
    } else {
      EXPECT_FALSE(fs::exists(root_ / "filmstock.xml"));
    }
  }
}

// What a system timer sees of `kelvoweb --upload-now`: the exit status and the printed log.
TEST_F(FtpServerTest, UploadNowExitsZeroOnlyWhenPublished) {
  write_films(folder_, {film(5, u"Heat")});
  struct Case {
    const char16_t* password;
    bool hold_lock;
    int exit;
    std::string printed;
  } cases[] = {
      {u"s3cret", false, kPublished, "Transfer complete.\n"},
      {u"wrong-pass", false, kUploadFailed, "Internet ftp connect error 67\n"},
      {u"s3cret", true, kAlreadyRunning, "Another upload is running in this folder: skipped.\n"},
  };
  for (const auto& c : cases) {
    UploadConfig config;
    config.set_ftp_server(text::from_utf8(server()));
    config.set_ftp_user(u"shop");
    config.set_ftp_password(c.password);
    ASSERT_TRUE(save_config(folder_, config));
    fs::remove(root_ / "filmstock.xml");
    int held = -1;
    if (c.hold_lock) {
      held = ::open((folder_ / ".kelvoweb.lock").c_str(), O_RDWR | O_CREAT, 0600);
      ASSERT_EQ(::flock(held, LOCK_EX), 0);
    }
    UploadSession session(folder_, clock_, locale_, ftp_);
    std::ostringstream out;
    EXPECT_EQ(upload_now(session, out), c.exit) << out.str();
    if (held >= 0) ::close(held);
    EXPECT_NE(out.str().find(c.printed), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("wrong-pass"), std::string::npos);
    EXPECT_EQ(fs::exists(root_ / "filmstock.xml"), c.exit == kPublished);
  }
}

}  // namespace
}  // namespace kelvo::uploader
