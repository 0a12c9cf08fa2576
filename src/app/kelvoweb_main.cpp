// kelvoweb: publishes the film inventory of the shop in the current folder.
#include <cstring>
#include <filesystem>
#include <iostream>

#include <QApplication>

#include "platform/clock.h"
#include "platform/qt/qt_locale.h"
#include "uploader/curl_ftp.h"
#include "uploader/kelvoweb_window_screen.h"
#include "uploader/unattended.h"

namespace {

constexpr char kUsage[] =
    "Usage: kelvoweb [--upload-now | --help | --version]\n"
    "Publishes the film inventory of the shop in the current folder as an XML file.\n"
    "\n"
    "  (no option)    open the kelvoweb window\n"
    "  --upload-now   one upload with the stored settings, without a window; prints the upload\n"
    "                 log and exits 0 when the inventory was published, 1 when it was not,\n"
    "                 3 when another upload was still running in this folder\n"
    "  --help         this text\n"
    "  --version      the version\n";

}  // namespace

int main(int argc, char** argv) {
  const char* option = argc > 1 ? argv[1] : nullptr;
  if (option && std::strcmp(option, "--help") == 0) {
    std::cout << kUsage;
    return 0;
  }
  if (option && std::strcmp(option, "--version") == 0) {
    std::cout << "kelvoweb " << KELVO_VERSION << "\n";
    return 0;
  }
  kelvo::platform::SystemClock clock;
  kelvo::platform::qt::QtLocale locale;
  kelvo::uploader::CurlFtpClient ftp;
  kelvo::uploader::UploadSession session(std::filesystem::current_path(), clock, locale, ftp);
  if (option && std::strcmp(option, "--upload-now") == 0) return kelvo::uploader::upload_now(session, std::cout);
  if (option) {
    std::cerr << kUsage;
    return 2;
  }
  QApplication app(argc, argv);
  kelvo::uploader::KelvowebWindow window(session);
  window.show();
  return app.exec();
}
