#include "uploader/upload_session.h"

#include <condition_variable>
#include <mutex>

#include <gtest/gtest.h>

#include "uploader_fixture.h"

namespace kelvo::uploader {
namespace {

using namespace testing;
using Lines = std::vector<text::u16>;

class FakeFtp : public FtpClient {
 public:
  FtpResult put(const FtpLogin& login, const std::filesystem::path& local, const std::string& remote) override {
    ++calls;
    last_login = login;
    last_remote = remote;
    return result;
  }
  FtpResult result;
  int calls = 0;
  FtpLogin last_login;
  std::string last_remote;
};

class SessionTest : public UploaderTest {
 protected:
  Lines tail(size_t n) {
    auto all = session_.log().lines();
    return Lines(all.end() - static_cast<long>(std::min(n, all.size())), all.end());
  }
  FakeFtp ftp_;
  UploadSession session_{folder_, clock_, locale_, ftp_};
};

TEST_F(SessionTest, FirstStartWithoutSettings) {
  session_.start();
  EXPECT_EQ(session_.log().lines(), (Lines{u"  ", u"Live website inventory utility for QUENDRIX", u"  ", u"Session start:",
                                           u"14:05 Mon Dec 7 2026", u"  ", u"Upload frequency:", u"Manual", u"  "}));
  EXPECT_EQ(session_.timer_ms(), 0);
  EXPECT_TRUE(session_.take_first_help());
  EXPECT_FALSE(session_.take_first_help());
  EXPECT_EQ(session_.config().help_shown(), 2);

  write_films(folder_, {film(1, u"A")});
  EXPECT_EQ(session_.upload(), UploadSession::Outcome::Transferring);
  session_.wait_for_transfers();
  EXPECT_TRUE(std::filesystem::exists(folder_ / "filmstock.xml"));
  EXPECT_EQ(ftp_.calls, 0);
  EXPECT_EQ(tail(3), (Lines{u"14:05 Mon Dec 7 2026", u"Please specify the FTP server in the configuration.", u"  "}));

  ASSERT_TRUE(session_.save());
  EXPECT_EQ(load_config(folder_).help_shown(), 2);
  EXPECT_EQ(load_config(folder_).upload_name_raw(), u"filmstock.xml");
}

TEST_F(SessionTest, ConfigurationDrivesTheTimerAndKeepsAnUnknownInterval) {
  session_.start();
  session_.apply_configuration({u"h", u"u", u"p", u"", 3, false});
  EXPECT_EQ(session_.timer_ms(), 900000);
  EXPECT_EQ(tail(3), (Lines{u"Upload frequency:", u"15 minutes", u"  "}));
  session_.apply_configuration({u"h", u"u", u"p", u"", 9, false});
  EXPECT_EQ(session_.timer_ms(), 900000);
  session_.apply_configuration({u"h", u"u", u"p", u"", 0, false});
  EXPECT_EQ(session_.timer_ms(), 0);
  EXPECT_EQ(tail(2), (Lines{u"Manual", u"  "}));
  // Nothing reaches the disk before the end.
  EXPECT_FALSE(std::filesystem::exists(folder_ / "kelvow.cfg"));
}

TEST_F(SessionTest, LocalFileOnlyMakesNoNetworkCall) {
  session_.start();
  session_.apply_configuration({u"ftp.example", u"u", u"p", u"web.xml", 0, true});
  write_films(folder_, {film(1, u"A")});
  EXPECT_EQ(session_.upload(), UploadSession::Outcome::LocalFile);
  session_.wait_for_transfers();
  EXPECT_EQ(ftp_.calls, 0);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "web.xml"));
  EXPECT_EQ(tail(3), (Lines{u"14:05 Mon Dec 7 2026", u"Local file produced.", u"    "}));
}

TEST_F(SessionTest, FailuresAreReportedInTheLogAndTheNextUploadStartsAgain) {
  session_.start();
  session_.apply_configuration({u"ftp.example", u"shop", u"s3cret", u"", 0, false});
  EXPECT_EQ(session_.upload(), UploadSession::Outcome::Failed);
  EXPECT_EQ(tail(3), (Lines{u"14:05 Mon Dec 7 2026", u"Unable to locate QUENDRIX inventory file", u"    "}));

  write_films(folder_, {film(1, u"A")});
  ftp_.result = {FtpResult::Status::ConnectFailed, 67};
  EXPECT_EQ(session_.upload(), UploadSession::Outcome::Transferring);
  session_.wait_for_transfers();
  EXPECT_EQ(tail(2), (Lines{u"Internet ftp connect error 67", u"  "}));
  EXPECT_EQ(ftp_.last_login.server, "ftp.example");
  EXPECT_EQ(ftp_.last_login.password, "s3cret");
  EXPECT_EQ(ftp_.last_remote, "filmstock.xml");

  ftp_.result = {FtpResult::Status::TransferFailed, 25};
  session_.upload();
  session_.wait_for_transfers();
  EXPECT_EQ(tail(2), (Lines{u"Transfer failed.", u"  "}));

  ftp_.result = {};
  session_.upload();
  session_.wait_for_transfers();
  EXPECT_EQ(tail(2), (Lines{u"Transfer complete.", u"  "}));

  for (const auto& line : session_.log().lines()) EXPECT_EQ(line.find(u"s3cret"), text::u16::npos);
}

// Holds every transfer until the test lets it go.
class SlowFtp : public FtpClient {
 public:
  FtpResult put(const FtpLogin&, const std::filesystem::path&, const std::string&) override {
    std::unique_lock lock(m);
    ++calls;
    cv.wait(lock, [this] { return released; });
    return {};
  }
  void release() {
    std::lock_guard lock(m);
    released = true;
    cv.notify_all();
  }
  std::mutex m;
  std::condition_variable cv;
  bool released = false;
  int calls = 0;
};

TEST_F(SessionTest, AnUploadWhileATransferRunsIsSkippedAndLoggedAndTheFileLeftAlone) {
  SlowFtp ftp;
  UploadSession session(folder_, clock_, locale_, ftp);
  session.start();
  session.apply_configuration({u"ftp.example", u"shop", u"pw", u"", 0, false});
  write_films(folder_, {film(1, u"Alien")});
  ASSERT_EQ(session.upload(), UploadSession::Outcome::Transferring);
  const std::string sent = file_bytes(folder_ / "filmstock.xml");
  write_films(folder_, {film(1, u"Alien"), film(2, u"Brazil")});
  EXPECT_EQ(session.upload(), UploadSession::Outcome::Skipped);
  auto lines = session.log().lines();
  EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
            (Lines{u"14:05 Mon Dec 7 2026", u"Upload skipped: the previous transfer is still running.", u"  "}));
  EXPECT_EQ(file_bytes(folder_ / "filmstock.xml"), sent);
  ftp.release();
  session.wait_for_transfers();
  EXPECT_EQ(session.upload(), UploadSession::Outcome::Transferring);
  session.wait_for_transfers();
  EXPECT_EQ(ftp.calls, 2);
  EXPECT_NE(file_bytes(folder_ / "filmstock.xml"), sent);
}

TEST_F(SessionTest, AnUploadNameNamingTheFilmFileIsRefused) {
  session_.start();
  session_.apply_configuration({u"ftp.example", u"u", u"p", u"film.dat", 0, false});
  write_films(folder_, {film(1, u"A")});
  const std::string before = file_bytes(folder_ / "film.dat");
  EXPECT_EQ(session_.upload(), UploadSession::Outcome::Failed);
  EXPECT_EQ(file_bytes(folder_ / "film.dat"), before);
  EXPECT_EQ(tail(6), (Lines{u"14:05 Mon Dec 7 2026", u"Unable to produce upload file", u"    ", u"14:05 Mon Dec 7 2026",
                            u"Unable to convert inventory file for upload", u"    "}));
  EXPECT_EQ(ftp_.calls, 0);
}

// A shop kept elsewhere brings film.dat up to date before each copy. Its failure ends the upload
// as a missing film.dat does, its line cut to the log's width rather than dropped, and leaves
// the copy, the document and the server as the last upload left them.
TEST_F(SessionTest, FilmSourceRunsBeforeTheCopyAndItsFailureChangesNothing) {
  const std::u16string wide(UploadLog::kMaxLength, u'w');
  const struct {
    const char* what;
    std::u16string answer;  // empty: film.dat refreshed, the upload goes on
    std::u16string logged;
  } cases[] = {
      {"refreshed", u"", u""},
      {"server gone", u"Unable to reach the shop's database: timeout", u"Unable to reach the shop's database: timeout"},
      {"at the log's width", wide, wide},
      {"one past it", wide + u"z", wide},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFtp ftp;
    UploadSession session(folder_, clock_, locale_, ftp);
    session.start();
    session.apply_configuration({u"ftp.example", u"u", u"p", u"", 0, false});
    write_films(folder_, {film(1, u"Alien")});
    ASSERT_EQ(session.upload(), UploadSession::Outcome::Transferring);
    session.wait_for_transfers();
    const std::string copy = file_bytes(folder_ / "filmstock.dat"), xml = file_bytes(folder_ / "filmstock.xml");

    int runs = 0;
    session.set_film_source([&] {
      ++runs;
      if (c.answer.empty()) write_films(folder_, {film(1, u"Alien"), film(2, u"Brazil")});
      return c.answer;
    });
    const auto outcome = session.upload();
    session.wait_for_transfers();
    EXPECT_EQ(runs, 1);
    const auto lines = session.log().lines();
    if (c.logged.empty()) {
      EXPECT_EQ(outcome, UploadSession::Outcome::Transferring);
      EXPECT_NE(file_bytes(folder_ / "filmstock.xml").find(le("Brazil")), std::string::npos);
      EXPECT_EQ(ftp.calls, 2);
    } else {
      EXPECT_EQ(outcome, UploadSession::Outcome::Failed);
      EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{u"14:05 Mon Dec 7 2026", c.logged, u"    "}));
      EXPECT_EQ(file_bytes(folder_ / "filmstock.dat"), copy);
      EXPECT_EQ(file_bytes(folder_ / "filmstock.xml"), xml);
      EXPECT_EQ(ftp.calls, 1);
    }
  }
}

TEST(UploadLogLines, LimitsAndLineBreaks) {
  UploadLog log;
  log.add(u"a\r\nb");
  log.add(std::u16string(199, u'x'));
  log.add(std::u16string(200, u'y'));
  auto lines = log.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], u"a  b");
  for (int i = 0; i < 120; ++i) log.add(text::from_utf8(std::to_string(i)));
  lines = log.lines();
  ASSERT_EQ(lines.size(), 99u);
  EXPECT_EQ(lines.front(), u"21");
  EXPECT_EQ(lines.back(), u"119");
}

}  // namespace
}  // namespace kelvo::uploader
