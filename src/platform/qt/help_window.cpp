#include "platform/qt/help_window.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The pages live in the resources of the kelvo_qt library, which is static: the resource
// initialiser has to be pulled in by name.
static void init_help_resources() { Q_INIT_RESOURCE(kelvo); }

namespace kelvo::platform::qt {

HelpWindow::HelpWindow() {
  init_help_resources();
  setObjectName("help_window");
  setWindowTitle(tr("QUENDRIX Help"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  auto* contents = new QPushButton(tr("&Contents"), this);
  auto* back = new QPushButton(tr("&Back"), this);
  auto* close = new QPushButton(tr("C&lose"), this);
  bar->addWidget(contents);
  bar->addWidget(back);
  bar->addStretch();
  bar->addWidget(close);
  layout->addLayout(bar);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("help_text");
  browser_->setAccessibleName(tr("Help page"));
  browser_->setSearchPaths({":/help"});
  browser_->setOpenExternalLinks(true);
  layout->addWidget(browser_);
  connect(contents, &QPushButton::clicked, this, [this] { browser_->setSource(QUrl("qrc:/help/index.html")); });
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  resize(640, 560);
}

HelpWindow* HelpWindow::show_page(const QString& page) {
  static QPointer<HelpWindow> window;
  if (!window) window = new HelpWindow;
  window->browser_->setSource(QUrl("qrc:/help/" + page));
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace kelvo::platform::qt
