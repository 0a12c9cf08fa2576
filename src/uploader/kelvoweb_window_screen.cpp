#include "uploader/kelvoweb_window_screen.h"

#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/keyboard_access.h"
#include "platform/qt/qt_text.h"
#include "uploader/upload_settings_screen.h"

namespace kelvo::uploader {

using platform::qt::qs;

namespace {

QToolButton* picture_button(QStyle::StandardPixmap icon, const QString& tip, const char* name) {
  auto* b = new QToolButton;
  b->setObjectName(name);
  b->setIcon(b->style()->standardIcon(icon));
  b->setIconSize(QSize(48, 48));
  b->setFixedSize(80, 80);
  b->setToolTip(tip);
  b->setAccessibleName(tip);  // a picture says nothing to a screen reader
  return b;
}

}  // namespace

KelvowebWindow::KelvowebWindow(UploadSession& session, QWidget* parent, bool show_help_first)
    : QMainWindow(parent), session_(session) {
  platform::qt::install_keyboard_access();
  setWindowTitle("kelvoweb");
  resize(800, 600);

  auto* central = new QWidget;
  auto* row = new QHBoxLayout(central);
  auto* buttons = new QVBoxLayout;
  auto* upload = picture_button(QStyle::SP_ArrowUp, tr("Upload now"), "upload_button");
  auto* selection = picture_button(QStyle::SP_FileDialogDetailedView, tr("Field selection"), "selection_button");
  auto* config = picture_button(QStyle::SP_FileDialogInfoView, tr("Configuration"), "configuration_button");
  for (auto* b : {upload, selection, config}) buttons->addWidget(b);
  buttons->addStretch();
  log_view_ = new QListWidget;
  log_view_->setObjectName("upload_log");
  log_view_->setAccessibleName(tr("Upload log"));
  row->addLayout(buttons);
  row->addWidget(log_view_, 1);
  setCentralWidget(central);
  connect(upload, &QToolButton::clicked, this, &KelvowebWindow::upload_now);
  connect(selection, &QToolButton::clicked, this, &KelvowebWindow::select_fields);
  connect(config, &QToolButton::clicked, this, &KelvowebWindow::configure);

  auto* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("E&xit"), this, &QWidget::close);
  menuBar()->addMenu(tr("Upload"))->addAction(tr("Manual upload"), this, &KelvowebWindow::upload_now);
  auto* settings = menuBar()->addMenu(tr("Configuration"));
  settings->addAction(tr("Configuration"), this, &KelvowebWindow::configure);
  settings->addAction(tr("Selection"), this, &KelvowebWindow::select_fields);
  auto* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("Help"), this, &KelvowebWindow::show_help);
  help->addAction(tr("&About ..."), this, &KelvowebWindow::show_about);

  timer_ = new QTimer(this);
  timer_->setObjectName("upload_timer");
  connect(timer_, &QTimer::timeout, this, &KelvowebWindow::upload_now);

  // Transfer threads add lines too; the list is redrawn on this window's thread.
  session_.log().on_change([this] { QMetaObject::invokeMethod(this, [this] { refresh_log(); }, Qt::QueuedConnection); });
  session_.start();
  refresh_log();
  restart_timer(0);
  if (session_.take_first_help() && show_help_first) QTimer::singleShot(0, this, &KelvowebWindow::show_help);
}

KelvowebWindow::~KelvowebWindow() {
  // A transfer still running would otherwise call back into a window that is gone.
  session_.wait_for_transfers();
  session_.log().on_change(nullptr);
}

void KelvowebWindow::refresh_log() {
  const auto lines = session_.log().lines();
  log_view_->clear();
  for (const auto& line : lines) log_view_->addItem(qs(line));
  log_view_->scrollToBottom();
}

void KelvowebWindow::restart_timer(int old_ms) {
  if (old_ms != 0) timer_->stop();
  if (const int ms = session_.timer_ms(); ms != 0) timer_->start(ms);
}

void KelvowebWindow::upload_now() { session_.upload(); }

void KelvowebWindow::configure() {
  UploadConfigScreen screen(session_.config(), this);
  if (screen.exec() != QDialog::Accepted) return;
  const int old_ms = session_.timer_ms();
  session_.apply_configuration(screen.choice());
  restart_timer(old_ms);
}

void KelvowebWindow::select_fields() {
  FieldSelectionScreen screen(session_.config().xml_fields(), this);
  if (screen.exec() == QDialog::Accepted) session_.config().set_xml_fields(screen.fields());
}

void KelvowebWindow::show_help() {
  auto* help = new KelvowebHelpScreen(this);
  help->setAttribute(Qt::WA_DeleteOnClose);
  help->show();
}

void KelvowebWindow::show_about() {
  QMessageBox::about(this, tr("About kelvoweb"),
                     tr("kelvoweb\n\nPublishes the shop's film inventory as an XML file, on this computer or on "
                        "the shop's web site by FTP."));
}

void KelvowebWindow::closeEvent(QCloseEvent* event) {
  timer_->stop();
  if (!saved_) {
    saved_ = true;
    if (!session_.save())
      QMessageBox::warning(this, "Problem", "Unable to create kelvow.cfg at end of WinMain");
  }
  event->accept();
}

KelvowebHelpScreen::KelvowebHelpScreen(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("kelvoweb Help"));
  resize(640, 520);
  auto* browser = new QTextBrowser;
  browser->setObjectName("help_browser");
  browser->setAccessibleName(tr("Help page"));
  browser->setOpenExternalLinks(true);
  if (QFile::exists(":/kelvoweb/kelvoweb.html"))
    browser->setSource(QUrl("qrc:/kelvoweb/kelvoweb.html"));
  else
    browser->setPlainText(tr("kelvoweb publishes the film inventory. See Configuration to set the FTP server."));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser);
}

}  // namespace kelvo::uploader
