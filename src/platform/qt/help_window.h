#pragma once
// The help pages of the counter, bundled with the program and shown in a browser window of
// their own. One window serves the whole run; asking again brings it to the front.
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace kelvo::platform::qt {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // The shared window, created on first use. `page` is a file name such as "renting.html".
  static HelpWindow* show_page(const QString& page = QStringLiteral("index.html"));
  QTextBrowser* browser() const { return browser_; }

 private:
  HelpWindow();
  QTextBrowser* browser_;
};

}  // namespace kelvo::platform::qt
