// kelvoweb: publishes the film inventory of the shop in the current folder.
#include <filesystem>

#include <QApplication>

#include "platform/clock.h"
#include "platform/qt/qt_locale.h"
#include "uploader/curl_ftp.h"
#include "uploader/kelvoweb_window_screen.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kelvo::platform::SystemClock clock;
  kelvo::platform::qt::QtLocale locale;
  kelvo::uploader::CurlFtpClient ftp;
  kelvo::uploader::UploadSession session(std::filesystem::current_path(), clock, locale, ftp);
  kelvo::uploader::KelvowebWindow window(session);
  window.show();
  return app.exec();
}
