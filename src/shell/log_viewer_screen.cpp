#include "shell/log_viewer_screen.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::shell {

LogViewerScreen::LogViewerScreen(PageReader reader, std::function<void()> on_failure, QWidget* parent)
    : QDialog(parent), reader_(std::move(reader)), on_failure_(std::move(on_failure)) {
  setWindowTitle(QStringLiteral("QUENDRIX log"));
  build();
  connect(previous_, &QPushButton::clicked, this, [this] { show_page(page_ - 1); });
  connect(next_, &QPushButton::clicked, this, [this] { show_page(page_ + 1); });
  show_page(0);
}

LogViewerScreen::LogViewerScreen(const QString& caption, const QString& text, QWidget* parent) : QDialog(parent) {
  setWindowTitle(caption);
  build();
  previous_->hide();
  next_->hide();
  text_->setPlainText(text);
}

void LogViewerScreen::build() {
  setObjectName(QStringLiteral("logViewer"));
  auto* frame = new QGroupBox(QStringLiteral(" Detail:"), this);
  text_ = new QPlainTextEdit(frame);
  text_->setObjectName(QStringLiteral("detail"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* inner = new QVBoxLayout(frame);
  inner->addWidget(text_);

  previous_ = new QPushButton(QStringLiteral("Previous"), this);
  previous_->setObjectName(QStringLiteral("previous"));
  next_ = new QPushButton(QStringLiteral("Next"), this);
  next_->setObjectName(QStringLiteral("next"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(previous_);
  buttons->addWidget(next_);
  buttons->addStretch();
  buttons->addWidget(ok);

  auto* all = new QVBoxLayout(this);
  all->addWidget(frame);
  all->addLayout(buttons);
  resize(720, 520);
}

bool LogViewerScreen::show_page(int page) {
  if (page < 0) return false;
  records::LogPage p = reader_(page);
  if (!p.opened) {
    if (on_failure_) on_failure_();
    return false;
  }
  page_ = page;
  // Shown exactly as stored: the log's CR LF pairs stay as they are.
  text_->setPlainText(platform::qt::qs(p.text));
  previous_->setEnabled(page_ > 0);
  next_->setEnabled(p.has_next);
  return true;
}

}  // namespace kelvo::shell
