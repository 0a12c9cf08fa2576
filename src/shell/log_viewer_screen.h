#pragma once
// The text window of the log ("QUENDRIX log", paged) and of a day's summary ("Activity report",
// one page, Previous and Next hidden).
#include <functional>

// Qt's "slots" keyword macro must not reach the core's field names.
#pragma push_macro("slots")
#undef slots
#include "records/transaction_log.h"
#pragma pop_macro("slots")

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace kelvo::shell {

class LogViewerScreen : public QDialog {
  Q_OBJECT
 public:
  using PageReader = std::function<records::LogPage(int page)>;
  // Paged: the first page is shown at once. A page that cannot be read calls on_failure.
  LogViewerScreen(PageReader reader, std::function<void()> on_failure, QWidget* parent = nullptr);
  // One fixed text: the "Activity report".
  LogViewerScreen(const QString& caption, const QString& text, QWidget* parent = nullptr);

  int page() const { return page_; }
  QPlainTextEdit* text_area() const { return text_; }
  QPushButton* previous_button() const { return previous_; }
  QPushButton* next_button() const { return next_; }

 private:
  void build();
  bool show_page(int page);

  PageReader reader_;
  std::function<void()> on_failure_;
  int page_ = 0;
  QPlainTextEdit* text_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
};

}  // namespace kelvo::shell
