// The drawer kicked through the receipt printer: a raw job handed to a real CUPS scheduler,
// started here with its own folder, whose queue writes what it is given into a file.
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <cups/cups.h>

#include "records/config_block.h"
#include "till/cups_spooler.h"
#include "till_fixture.h"

extern char** environ;

namespace kelvo::testing {
namespace {

namespace fs = std::filesystem;
namespace cfg = records::cfg;

void write_file(const fs::path& p, const std::string& s, fs::perms mode = fs::perms(0644)) {
  std::ofstream(p) << s;
  fs::permissions(p, mode);
}

Bytes file_bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A scheduler of the test's own. Its queue's device is a file: a raw job with a file: device
// URI is never copied by the scheduler (no filter runs for raw data), so the queue goes through
// a three-line backend that appends the job to the file.
class Scheduler {
 public:
  Scheduler() : root_(fs::temp_directory_path() / ("kelvo-cups-" + std::to_string(::getpid()))) {
    fs::remove_all(root_);
    for (const char* d : {"conf", "spool", "cache", "state", "tmp", "log", "bin/backend", "bin/daemon"})
      fs::create_directories(root_ / d);
    for (const char* d : {"", "bin", "bin/backend", "bin/daemon"}) fs::permissions(root_ / d, fs::perms(0755));
    socket_ = (root_ / "cups.sock").string();
    write_file(root_ / "conf/cupsd.conf", "Listen " + socket_ +
                                              "\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                                              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                              "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                              "  </Limit>\n</Policy>\n");
    const std::string r = root_.string();
    write_file(root_ / "conf/cups-files.conf",
               "FileDevice Yes\nServerRoot " + r + "/conf\nRequestRoot " + r + "/spool\nCacheDir " + r +
                   "/cache\nStateDir " + r + "/state\nTempDir " + r + "/tmp\nErrorLog " + r +
                   "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r + "/log/page_log\nServerBin " +
                   r + "/bin\nDataDir /usr/share/cups\n");
    write_file(root_ / "bin/backend/capture",
               "#!/bin/sh\n[ $# -eq 0 ] && exit 0\nout=\"${DEVICE_URI#capture:}\"\n"
               "if [ -n \"$6\" ]; then cat \"$6\" >> \"$out\"; else cat >> \"$out\"; fi\n",
               fs::perms(0700));
    fs::create_symlink("/usr/lib/cups/daemon/cups-exec", root_ / "bin/daemon/cups-exec");
  }
  ~Scheduler() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    fs::remove_all(root_);
  }

  // False when no scheduler could be started here.
  bool start() {
    if (!fs::exists("/usr/sbin/cupsd") || !fs::exists("/usr/lib/cups/daemon/cups-exec")) return false;
    const std::string conf = (root_ / "conf/cupsd.conf").string(), files = (root_ / "conf/cups-files.conf").string();
    const char* argv[] = {"cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr};
    if (::posix_spawn(&pid_, "/usr/sbin/cupsd", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return false;
    for (int i = 0; i < 100 && !fs::exists(socket_); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ::setenv("CUPS_SERVER", socket_.c_str(), 1);
    return fs::exists(socket_) && run("lpadmin -h " + socket_ + " -p drawer -E -v capture:" + device().string());
  }
  fs::path device() const { return root_ / "drawer.out"; }
  // What the queue's device has received, once the job has gone through.
  Bytes received(size_t expected) const {
    for (int i = 0; i < 250 && file_size(device()) < expected; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return file_bytes(device());
  }

 private:
  static bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }
  static size_t file_size(const fs::path& p) {
    std::error_code ec;
    const auto n = fs::file_size(p, ec);
    return ec ? 0 : n;
  }
  fs::path root_;
  std::string socket_;
  pid_t pid_ = -1;
};

// Keeps the raw jobs it is handed, by printer and document name, and answers as told.
class RecordingSpooler : public till::RawSpooler {
 public:
  bool print_raw(const std::string& printer, const std::string& document, const Bytes& b) override {
    jobs.push_back({printer + " " + document, b});
    return accepts;
  }
  std::vector<std::pair<std::string, Bytes>> jobs;
  bool accepts = true;
};

TEST(DrawerThroughPrinter, OneRawJobToThePrinterTheReceiptsUse) {
  const struct {
    const char* name;
    int32_t printer_index;  // 0: "Default"
    bool accepts;
    std::string job;
    std::vector<std::string> problems;
  } cases[] = {
      {"the named receipt printer", 1, true, "TM-T88 QDRX", {}},
      {"a device kept but the receipts on Default", 0, true, " QDRX", {}},
      {"the spooler refuses", 1, false, "TM-T88 QDRX", {"Unable to open printer for till drawer"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    records::ConfigBlock config;
    config.set_i64(cfg::kDrawerInUse, 1);
    config.set_i32(cfg::kDrawerConnection, 2);
    config.set_i32(cfg::kReceiptPrinterIndex, c.printer_index);
    config.set_str(cfg::kReceiptPrinterDevice, 400, u"TM-T88");
    config.set_str(cfg::kDrawerControlSequence, 64, u"27,112,0,25,250");
    RecordingSpooler spooler;
    spooler.accepts = c.accepts;
    Problems problems;
    till::open_drawer(till::drawer_setup(config), spooler, problems);
    EXPECT_EQ(spooler.jobs, (std::vector<std::pair<std::string, Bytes>>{{c.job, bytes({27, 112, 0, 25, 250})}}));
    EXPECT_EQ(problems.seen(), c.problems);
  }
}

TEST(DrawerThroughPrinter, RawJobNamedQdrxReachesTheReceiptPrinterUnchanged) {
  Scheduler cups;
  if (!cups.start()) GTEST_SKIP() << "no CUPS scheduler can be started here";
  till::CupsSpooler spooler;
  records::ConfigBlock config;
  config.set_i64(cfg::kDrawerInUse, 1);
  config.set_i32(cfg::kDrawerConnection, 2);
  config.set_i32(cfg::kReceiptPrinterIndex, 1);
  const auto kick = [&](const std::u16string& printer, const std::u16string& sequence) {
    config.set_str(cfg::kReceiptPrinterDevice, 400, printer);
    config.set_str(cfg::kDrawerControlSequence, 64, sequence);
    Problems problems;
    till::open_drawer(till::drawer_setup(config), spooler, problems);
    return problems.seen();
  };

  EXPECT_TRUE(kick(u"drawer", u"").empty());  // no sequence: no job at all
  EXPECT_TRUE(kick(u"drawer", u"27,112,0,25,250").empty());
  EXPECT_EQ(cups.received(5), bytes({27, 112, 0, 25, 250}));

  cups_job_t* jobs = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "drawer", 0, CUPS_WHICHJOBS_ALL);
  ASSERT_EQ(n, 1);
  EXPECT_STREQ(jobs[0].title, "QDRX");
  EXPECT_STREQ(jobs[0].format, CUPS_FORMAT_RAW);
  cupsFreeJobs(n, jobs);

  EXPECT_EQ(kick(u"no-such-printer", u"27,112,0,25,250"),
            std::vector<std::string>{"Unable to open printer for till drawer"});
}

}  // namespace
}  // namespace kelvo::testing
