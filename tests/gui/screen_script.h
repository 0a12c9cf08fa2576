#pragma once
// Working the real dialogs from a test: the operator the shop talks to is switched from the
// scripted person (while the window opens the data) to the Qt dialogs, and each modal screen
// is acted on as it comes up.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <deque>
#include <functional>

#include <gtest/gtest.h>

#include "platform/operator.h"

namespace kelvo::testing {

// The window opens the data with the scripted person (first-start notices), then the real
// dialogs take over.
class SwitchOperator : public platform::Operator {
 public:
  platform::Operator* to = nullptr;
  platform::Answer message(text::u16view c, text::u16view b, platform::Buttons k) override { return to->message(c, b, k); }
  std::optional<platform::PromptAnswer> prompt(text::u16view q, const platform::PromptOptions& o) override {
    return to->prompt(q, o);
  }
  std::optional<int> choose(text::u16view c, const std::vector<text::u16>& r, int p) override {
    return to->choose(c, r, p);
  }
  void warn() override { to->warn(); }
  void activity(text::u16view line) override { to->activity(line); }
};

// Acts on each modal screen as it comes up, one step per screen, in order.
class Screens {
 public:
  using Step = std::function<void(QWidget&)>;
  Screens() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  ~Screens() { EXPECT_TRUE(steps_.empty()) << steps_.size() << " screen(s) never came up"; }
  Screens& then(Step s) {
    steps_.push_back(std::move(s));
    return *this;
  }

 private:
  void poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || w == last_.data()) return;
    last_ = w;
    if (steps_.empty()) {
      // A screen nobody expected: fail and close it rather than hang the run.
      ADD_FAILURE() << "unexpected screen " << w->objectName().toStdString() << " "
                    << w->windowTitle().toStdString();
      if (auto* m = qobject_cast<QMessageBox*>(w)) ADD_FAILURE() << m->text().toStdString();
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
      return;
    }
    Step s = std::move(steps_.front());
    steps_.pop_front();
    s(*w);
  }
  QTimer timer_;
  std::deque<Step> steps_;
  QPointer<QWidget> last_;
};

// Saves a picture of the screen when KELVO_SCREENSHOTS names a folder, to look at by eye.
inline void save_picture(QWidget& w, const char* name) {
  const char* dir = std::getenv("KELVO_SCREENSHOTS");
  if (!dir) return;
  w.adjustSize();
  w.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

// A text as shown: without the ampersand that marks its access key.
inline QString shown_text(QString t) {
  t.replace(QLatin1String("&&"), QStringLiteral("\x01"));
  t.remove(QLatin1Char('&'));
  t.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return t;
}

// The words a label shows: as shown, without a closing colon.
inline QString label_words(const QString& t) {
  QString w = shown_text(t).simplified();
  if (w.endsWith(QLatin1Char(':'))) w.chop(1);
  return w.trimmed();
}

// The moves a step makes on a screen: a named child, typing into a box, pressing a button, and
// keys sent where the focus is, as the counter staff would.
template <typename W>
W* child(QWidget& w, const char* name) {
  auto* c = w.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}
inline void type(QWidget& w, const char* name, const QString& text) { child<QLineEdit>(w, name)->setText(text); }
inline void click(QWidget& w, const char* name) { child<QAbstractButton>(w, name)->click(); }
inline QWidget* focused(QWidget& w) { return w.focusWidget() ? w.focusWidget() : &w; }
inline void keys(QWidget& w, const QString& typed) { QTest::keyClicks(focused(w), typed); }
inline void key(QWidget& w, Qt::Key k) { QTest::keyClick(focused(w), k); }

// A message box with exactly this caption and text, answered with `press`.
inline Screens::Step box(QString caption, QString body, QMessageBox::StandardButton press = QMessageBox::Ok) {
  return [=](QWidget& w) {
    auto* m = qobject_cast<QMessageBox*>(&w);
    ASSERT_NE(m, nullptr) << "expected message box " << body.toStdString() << ", got " << w.objectName().toStdString();
    EXPECT_EQ(m->windowTitle(), caption);
    EXPECT_EQ(m->text(), body);
    m->button(press)->click();
  };
}

// The one-line prompt with exactly this question, answered with `text`.
inline Screens::Step answer(QString question, QString text) {
  return [=](QWidget& w) {
    auto* q = w.findChild<QLabel*>("question");
    ASSERT_NE(q, nullptr) << "expected prompt " << question.toStdString() << ", got " << w.objectName().toStdString();
    EXPECT_EQ(shown_text(q->text()), question);
    type(w, "answer", text);
    static_cast<QDialog&>(w).accept();
  };
}

}  // namespace kelvo::testing
