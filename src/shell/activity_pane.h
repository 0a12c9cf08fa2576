#pragma once
// The activity pane: the short result lines of every operation, at most 99 lines of at most
// 99 characters. The oldest line goes when a new one would make a hundredth.
#include <QPlainTextEdit>
#include <QStringList>

namespace kelvo::shell {

class ActivityPane : public QPlainTextEdit {
  Q_OBJECT
 public:
  static constexpr int kMaxLines = 99;
  static constexpr int kMaxChars = 99;

  explicit ActivityPane(QWidget* parent = nullptr);
  void append_line(const QString& line);
  const QStringList& lines() const { return lines_; }

 private:
  QStringList lines_;
};

}  // namespace kelvo::shell
