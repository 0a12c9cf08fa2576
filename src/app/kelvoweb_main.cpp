// kelvoweb: publishes the film inventory of the shop in the current folder, or of the shop kept
// in the database that --database or the folder's kelvo-database.conf names.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include <QApplication>

#include "platform/clock.h"
#include "platform/qt/qt_locale.h"
#include "records/shop.h"
#include "store/counter_store.h"
#include "store/folder_at_rest.h"
#include "store/shop_move.h"
#include "uploader/curl_ftp.h"
#include "uploader/kelvoweb_window_screen.h"
#include "uploader/unattended.h"

namespace {

constexpr char kUsage[] =
    "Usage: kelvoweb [--database URL] [--upload-now | --help | --version]\n"
    "Publishes the film inventory of the shop in the current folder as an XML file. For a shop\n"
    "kept in a PostgreSQL database, named by --database or by the folder's kelvo-database.conf\n"
    "(a line url=...), film.dat is brought up to date from the database before each upload;\n"
    "kelvoweb's settings, log and files stay in the current folder.\n"
    "\n"
    "  (no option)     open the kelvoweb window\n"
    "  --database URL  the shop in this database (a libpq connection string)\n"
    "  --upload-now    one upload with the stored settings, without a window; prints the upload\n"
    "                  log and exits 0 when the inventory was published, 1 when it was not,\n"
    "                  3 when another upload was still running in this folder\n"
    "  --help          this text\n"
    "  --version       the version\n";

// The server's words on one line: a log line has no room for its line breaks and indents.
kelvo::text::u16 log_line(const std::string& head, const char* what) {
  std::string line = head;
  bool blank = false;
  for (const char* p = what; *p; ++p) {
    const bool space = std::isspace(static_cast<unsigned char>(*p)) != 0;
    if (!space || !blank) line += space ? ' ' : *p;
    blank = space;
  }
  return kelvo::text::from_utf8(line);
}

// film.dat as the database holds it now, in one snapshot, before the upload copies it.
kelvo::text::u16 film_file_from(const std::string& url, const std::filesystem::path& folder) {
  try {
    kelvo::store::export_shop_file(url, std::string(kelvo::records::files::kFilm), folder);
  } catch (const kelvo::store::FolderInUse&) {
    // A counter runs on this folder and keeps film.dat current as its working copy of the shop;
    // replacing the file under it would leave the counter's indexes behind the file. Its copy
    // is what is published.
  } catch (const kelvo::store::Unreachable& e) {
    return log_line("Unable to reach the shop's database: ", e.what());
  } catch (const std::exception& e) {
    return log_line("Unable to read the films from the shop's database: ", e.what());
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  std::string database;
  const char* option = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--database") == 0 && i + 1 < argc) {
      database = argv[++i];
    } else if (option) {
      std::cerr << kUsage;
      return 2;
    } else {
      option = argv[i];
    }
  }
  if (option && std::strcmp(option, "--help") == 0) {
    std::cout << kUsage;
    return 0;
  }
  if (option && std::strcmp(option, "--version") == 0) {
    std::cout << "kelvoweb " << KELVO_VERSION << "\n";
    return 0;
  }
  if (option && std::strcmp(option, "--upload-now") != 0) {
    std::cerr << kUsage;
    return 2;
  }
  const std::filesystem::path folder = std::filesystem::current_path();
  if (database.empty())
    if (auto settings = kelvo::store::read_counter_settings(folder)) database = settings->url;

  kelvo::platform::SystemClock clock;
  kelvo::platform::qt::QtLocale locale;
  kelvo::uploader::CurlFtpClient ftp;
  kelvo::uploader::UploadSession session(folder, clock, locale, ftp);
  if (!database.empty()) {
    // The window's thread waits for the read: a server that does not answer must not hold it
    // for the minutes a connection attempt may take by default. A timeout in the URL wins.
    ::setenv("PGCONNECT_TIMEOUT", "10", 0);
    session.set_film_source([database, folder] { return film_file_from(database, folder); });
  }
  if (option) return kelvo::uploader::upload_now(session, std::cout);
  QApplication app(argc, argv);
  kelvo::uploader::KelvowebWindow window(session);
  window.show();
  return app.exec();
}
