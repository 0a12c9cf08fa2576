// Every screen the command table can open, opened offscreen as a clerk would reach it, must
// serve the keyboard and a screen reader: a name for every control (the words of its label,
// unique), a unique Alt+letter key for every labelled field and button, toggles and read-only
// fields that say so, lists that report rows and columns, reactions to a control's state, Tab as the eye reads, Enter and a first focus, nothing clipped on an
// 800 x 600 desktop. Each fault names the screen and the control.
#include "gui/window_test.h"

#include <QTest>
#include <QtWidgets>
#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "records/record_files.h"
#include "records/stock_record.h"

namespace kelvo::testing {
namespace {

// The letter after a single ampersand, lower case; 0 when there is none.
inline QChar access_key(const QString& t) {
  for (qsizetype i = 0; i + 1 < t.size(); ++i) {
    if (t[i] != QLatin1Char('&')) continue;
    if (t[i + 1] == QLatin1Char('&')) { ++i; continue; }
    return t[i + 1].toLower();
  }
  return QChar();
}

struct SignalPeek : QObject {
  static bool connected(const QObject* o, const QMetaMethod& m) { return (o->*(&SignalPeek::isSignalConnected))(m); }
};
template <typename Signal>
bool has_receiver(const QObject* o, Signal s) { return SignalPeek::connected(o, QMetaMethod::fromSignal(s)); }

class AccessCheck {
 public:
  explicit AccessCheck(QWidget& screen) : screen_(screen) {}

  std::vector<std::string> problems() {
    for (QWidget* w : screen_.findChildren<QWidget*>()) {
      if (w->isVisibleTo(&screen_) && is_control(w)) controls_.push_back(w);
      if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) buddy_[l->buddy()] = l;
    }
    for (QWidget* w : controls_) {
      const QLabel* label = buddy_.count(w) ? buddy_[w] : nullptr;
      auto* b = qobject_cast<QAbstractButton*>(w);
      if (QChar k = access_key(label ? label->text() : b ? b->text() : QString()); !k.isNull()) all_keys_ += k;
    }
    std::map<QString, QWidget*> names;
    std::map<QChar, QString> keys;
    for (QWidget* w : controls_) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      const QString name = spoken_name(w, a);
      const QLabel* label = buddy_.count(w) ? buddy_[w] : nullptr;
      if (name.isEmpty()) fault(w, "has no accessible name");
      else if (auto [it, fresh] = names.emplace(name, w); !fresh)
        fault(w, "shares its name \"" + name + "\" with " + QString::fromStdString(id(it->second)));
      if (label && !name.contains(label_words(label->text()), Qt::CaseInsensitive))
        fault(w, "is named \"" + name + "\" under the label \"" + label_words(label->text()) + "\"");
      check_key(w, label, keys);
      if (a) check_state(w, a);
      check_reaction(w);
    }
    check_clipping();
    check_entry();
    check_tab_order();
    return out_;
  }

 private:
  // On Linux Qt names a combo box by its entry and speaks its label through the label relation.
  static QString spoken_name(QWidget* w, QAccessibleInterface* a) {
    if (!a) return {};
    if (!qobject_cast<QComboBox*>(w) || !w->accessibleName().isEmpty())
      return qobject_cast<QComboBox*>(w) ? w->accessibleName() : a->text(QAccessible::Name);
    for (const auto& [other, relation] : a->relations(QAccessible::Label)) return other->text(QAccessible::Name);
    return {};
  }

  // Parts of a bigger control (a combo's edit, a list's scroll bars, a tab bar) are spoken for by it.
  bool is_control(QWidget* w) const {
    for (QWidget* p = w->parentWidget(); p && p != &screen_; p = p->parentWidget())
      if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QAbstractScrollArea*>(p) ||
          qobject_cast<QTabBar*>(p))
        return false;
    if (qobject_cast<QScrollBar*>(w) || qobject_cast<QTabBar*>(w) || w->objectName().startsWith(QLatin1String("qt_")))
      return false;
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->isCheckable();
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
           qobject_cast<QAbstractItemView*>(w);
  }

  void check_key(QWidget* w, const QLabel* label, std::map<QChar, QString>& keys) {
    QString shown;
    if (label) shown = label->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->focusPolicy() != Qt::NoFocus) shown = b->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w)) shown = g->title();
    if (label_words(shown).isEmpty()) return;
    const QChar k = access_key(shown);
    // Unreachable by keyboard, or the screen's one field, which has the focus.
    if (label && (w->focusPolicy() == Qt::NoFocus || (typed_fields() < 2 && k.isNull()))) return;
    if (k.isNull()) {
      // More fields than letters: a field whose every letter is taken is reached by Tab.
      for (QChar c : label_words(shown))
        if (c.isLetterOrNumber() && !all_keys_.contains(c.toLower()))
          return fault(w, "has no Alt+letter key (\"" + shown + "\") though " + c + " is free");
    } else if (auto [it, fresh] = keys.emplace(k, shown); !fresh) {
      fault(w, "takes Alt+" + QString(k.toUpper()) + ", already the key of \"" + it->second + "\"");
    }
  }

  void check_state(QWidget* w, QAccessibleInterface* a) {
    const QAccessible::State s = a->state();
    if (qobject_cast<QAbstractItemView*>(w) && !a->tableInterface()) fault(w, "does not report its rows and columns");
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable() && !s.checkable)
      fault(w, "is a toggle but not reported checkable");
    bool read_only = false;
    if (auto* e = qobject_cast<QLineEdit*>(w)) read_only = e->isReadOnly();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) read_only = e->isReadOnly();
    if (auto* e = qobject_cast<QTextEdit*>(w)) read_only = e->isReadOnly();
    if (read_only && (!s.readOnly || s.editable)) fault(w, "is read-only but reported editable");
  }

  // A screen that listens only to what the mouse did misses the keyboard, the scanner and
  // assistive actions.
  void check_reaction(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    if (b && b->isCheckable() && !qobject_cast<QPushButton*>(w) &&
        (has_receiver(b, &QAbstractButton::clicked) || has_receiver(b, &QAbstractButton::pressed)) &&
        !has_receiver(b, &QAbstractButton::toggled))
      fault(w, "acts on the click, not on the box being ticked");
    if (auto* e = qobject_cast<QLineEdit*>(w); e && has_receiver(e, &QLineEdit::textEdited) && !has_receiver(e, &QLineEdit::textChanged))
      fault(w, "acts on typing, not on its text changing");
    if (auto* c = qobject_cast<QComboBox*>(w); c && has_receiver(c, &QComboBox::activated) &&
        !has_receiver(c, &QComboBox::currentIndexChanged))
      fault(w, "acts on a pick, not on its current entry changing");
    auto* v = qobject_cast<QAbstractItemView*>(w);
    if (!v) return;
    const auto* l = qobject_cast<QListWidget*>(w);
    const auto* t = qobject_cast<QTableWidget*>(w);
    const bool click = has_receiver(v, &QAbstractItemView::clicked) || has_receiver(v, &QAbstractItemView::pressed) ||
                       (l && (has_receiver(l, &QListWidget::itemClicked) || has_receiver(l, &QListWidget::itemPressed))) ||
                       (t && (has_receiver(t, &QTableWidget::cellClicked) || has_receiver(t, &QTableWidget::itemClicked)));
    const auto* m = v->selectionModel();
    const bool state = (m && (has_receiver(m, &QItemSelectionModel::currentChanged) || has_receiver(m, &QItemSelectionModel::selectionChanged))) ||
                       (l && (has_receiver(l, &QListWidget::currentRowChanged) || has_receiver(l, &QListWidget::currentItemChanged) ||
                              has_receiver(l, &QListWidget::itemSelectionChanged))) ||
                       (t && (has_receiver(t, &QTableWidget::currentCellChanged) || has_receiver(t, &QTableWidget::itemSelectionChanged)));
    if (click && !state) fault(w, "acts on a click in the list, not on the row chosen");
  }

  void check_clipping() {
    if (screen_.width() > 800 || screen_.height() > 600)
      out_.push_back(id(&screen_) + " is " + std::to_string(screen_.width()) + " x " +
                     std::to_string(screen_.height()) + ", more than 800 x 600");
    for (QWidget* w : screen_.findChildren<QWidget*>()) {
      if (!w->isVisibleTo(&screen_)) continue;
      if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty() && l->textFormat() != Qt::RichText &&
                                             !Qt::mightBeRichText(l->text()) && l->pixmap().isNull()) {
        if (l->wordWrap() ? l->height() < l->heightForWidth(l->width())
                          : l->width() + 0.5 < l->minimumSizeHint().width() + kerning_lost(*l, l->text()))
          fault(w, "shows \"" + l->text() + "\" clipped");
      }
      if ((qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) &&
          w->width() + 0.5 < w->sizeHint().width() + kerning_lost(*w, static_cast<QAbstractButton*>(w)->text()))
        fault(w, "shows its text clipped");
      auto* p = qobject_cast<QPushButton*>(w);
      if (p && p->fontMetrics().horizontalAdvance(label_words(p->text())) + 6 > p->width())
        fault(w, "shows its text clipped");
      if (is_control(w) && !screen_.rect().contains(QRect(w->mapTo(&screen_, QPoint(0, 0)), w->size())))
        fault(w, "lies partly outside its screen");
    }
  }

  // The underlined letter is laid out apart from its neighbours, so its pairs lose their kerning
  // and the line comes out wider than measured.
  static double kerning_lost(const QWidget& w, const QString& text) {
    const QFontMetricsF m(w.font());
    const QString t = shown_text(text);
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= text.size() || text.contains(QLatin1String("&&")) || text.contains(QLatin1Char('\n')))
      return 0;
    return m.horizontalAdvance(t.left(at)) + m.horizontalAdvance(t.mid(at, 1)) + m.horizontalAdvance(t.mid(at + 1)) -
           m.horizontalAdvance(t);
  }

  void check_entry() {
    bool buttons = false, takes_enter = false, typed_box = false;
    for (QWidget* w : controls_) {
      if (auto* b = qobject_cast<QPushButton*>(w); b && b->isEnabled()) {
        buttons = true;
        takes_enter = takes_enter || b->isDefault() || (b->autoDefault() && b->hasFocus());
      }
      auto* e = qobject_cast<QLineEdit*>(w);
      typed_box = typed_box || (e && !e->isReadOnly() && e->isEnabled() && e->focusPolicy() != Qt::NoFocus);
    }
    // A box that takes Enter itself (a scanner ends each code with it) needs no default button.
    if (auto* e = qobject_cast<QLineEdit*>(screen_.focusWidget()); e && has_receiver(e, &QLineEdit::returnPressed))
      takes_enter = true;
    if (auto* l = qobject_cast<QListWidget*>(screen_.focusWidget()); l && has_receiver(l, &QListWidget::itemActivated))
      takes_enter = true;
    if (typed_box && qobject_cast<QPushButton*>(screen_.focusWidget()))
      fault(screen_.focusWidget(), "has the first focus, before the boxes to type in");
    if (buttons && !takes_enter && qobject_cast<QDialog*>(&screen_))
      out_.push_back(id(&screen_) + " has no button that takes Enter");
  }

  // Of two controls in one row the left one first, of two in one column the upper one first; a
  // control both lower and to one side may come either way, so forms read down columns pass too.
  void check_tab_order() {
    std::vector<QWidget*> chain;
    for (QWidget* w = screen_.nextInFocusChain(); w && w != &screen_; w = w->nextInFocusChain()) {
      if (std::find(controls_.begin(), controls_.end(), w) == controls_.end()) continue;
      if (!w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()) continue;
      if (std::find(chain.begin(), chain.end(), w) != chain.end()) break;
      chain.push_back(w);
    }
    auto rect = [this](QWidget* w) { return QRect(w->mapTo(&screen_, QPoint(0, 0)), w->size()); };
    auto shown_before = [&](QWidget* a, QWidget* b) {
      const QRect ra = rect(a), rb = rect(b);
      if (std::min(ra.bottom(), rb.bottom()) - std::max(ra.top(), rb.top()) > std::min(ra.height(), rb.height()) / 2)
        return ra.center().x() < rb.center().x();
      return std::min(ra.right(), rb.right()) > std::max(ra.left(), rb.left()) && ra.center().y() < rb.center().y();
    };
    std::set<QWidget*> told;
    for (size_t i = 0; i < chain.size(); ++i)
      for (size_t j = i + 1; j < chain.size(); ++j)
        if (shown_before(chain[j], chain[i]) && told.insert(chain[j]).second)
          fault(chain[j], "comes after " + QString::fromStdString(id(chain[i])) +
                              " in the Tab order, though it is shown before it");
  }

  int typed_fields() const {
    return static_cast<int>(std::count_if(controls_.begin(), controls_.end(), [](QWidget* w) {
      return !qobject_cast<QAbstractButton*>(w) && w->focusPolicy() != Qt::NoFocus;
    }));
  }
  std::string id(const QWidget* w) const {
    QString s = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return (w == &screen_ ? "\"" + screen_.windowTitle() + "\" (" + s + ")" : s).toStdString();
  }
  void fault(const QWidget* w, const QString& what) {
    out_.push_back(id(&screen_) + ": " + id(w) + " " + what.toStdString());
  }

  QWidget& screen_;
  std::vector<QWidget*> controls_;
  std::map<const QWidget*, QLabel*> buddy_;
  std::vector<std::string> out_;
  QString all_keys_;
};


// Commands that end the run; their screens are walked elsewhere. Logging off is walked: the
// sign-on screen left with Esc keeps the clerk signed on.
const std::set<std::string_view> kNotWalked = {"file.exit", "file.exit_print_report", "file.exit_print_log",
                                               "file.exit_print_both"};

// Answers to the one-line prompts that lead deeper: member 42 and film 7 exist.
const std::vector<std::pair<QString, QString>> kAnswers = {
    {"Number / Last name / fragment", "42"}, {"Customer number / Last name / fragment", "42"},
    {"Find member", "Smith"},  // a name: the matches are offered one at a time
    {"Amend member", "42"}, {"Enter the member number (Enter to find)", "42"},
    {"Enter telephone number", "01632 960 123"}, {"Amend film number / title", "7"},
    {"Sell film number / title", "7"}, {"Find film number / title", "7"},
    {"Please enter film number / title", "7"}, {"Find film by title", "Jaws"}, {"List from number", "1"},
    {"Print stock lines from number", "1"}, {"Enter 1 to import films, 2 to import members", "1"},
    {"Please enter the operator number (1-98)", "1"}, {"Please enter the clerk number (1-30)", "1"},
    {"Film number / title", "7"}, {"Enter the line to amend", "1"}, {"Enter the line to delete", "1"},
    {"Amend (Earliest 01-12-2025)", "07-12-2026"},
};

// Screens gone through rather than left, to reach the screens behind them: what is done on the
// first, second ... time each comes up in one command.
const std::map<QString, std::vector<std::function<void(QWidget&)>>> kGoOn = {
    {"rental", {[](QWidget& w) { QTest::keyClick(&w, Qt::Key_Insert); }, [](QWidget& w) { click(w, "amend"); },
                [](QWidget& w) { click(w, "finish"); }}},
    {"FIND MEMBER", {[](QWidget& w) { click(w, "ok"); }}},
    {"returnScreen", {[](QWidget& w) { click(w, "return"); }}},
    {"arrearsScreen", {[](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); }}},
    {"arrearsOverdueScreen", {[](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); }}},
};

// Screens from Qt itself (printing, files) are Qt's to make accessible.
bool from_qt(const QWidget& w) {
  const QString cls = QString::fromLatin1(w.metaObject()->className());
  return cls == "QPrintDialog" || cls == "QFileDialog" || cls == "QPageSetupDialog" || cls == "QColorDialog";
}

// Acts on every modal screen that comes up while one command runs: checks it the first time
// it is seen, then answers a prompt that leads on or leaves with Esc, as a clerk backs out.
class Walker {
 public:
  std::set<std::string> seen, faults;
  Walker() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(5);
  }
  void start() { screens_ = 0, gone_on_.clear(); }
  // Windows that stay open beside the main one (help, logs) are checked and closed.
  void visit_new_windows(const QWidgetList& before, const QWidget& main) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w != &main && !before.contains(w)) visit(*w), w->close();
  }

 private:
  void visit(QWidget& w) {
    if (!seen.insert((w.objectName() + " " + w.windowTitle()).toStdString()).second ||
        qobject_cast<QMessageBox*>(&w) || from_qt(w))
      return;
    QList<QTabWidget*> tabs = w.findChildren<QTabWidget*>();  // each page as the clerk sees it
    tabs.prepend(nullptr);
    for (QTabWidget* t : tabs)
      for (int i = t ? 1 : 0; i < (t ? t->count() : 1); ++i) {
        if (t) t->setCurrentIndex(i);
        for (std::string& p : AccessCheck(w).problems()) faults.insert(std::move(p));
      }
    for (QTabWidget* t : tabs)
      if (t) t->setCurrentIndex(0);
  }

  void poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || (w == current_.data() && ++waited_ < 60)) return;  // Esc sent: give it time
    if (w == current_.data()) {
      faults.insert(w->objectName().toStdString() + " is not closed by Esc");
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
      current_ = nullptr;
      return;
    }
    current_ = w;
    waited_ = 0;
    if (++screens_ <= 12) visit(*w);
    // After this tick: a screen the answer opens runs its own loop, in which this timer must fire.
    QTimer::singleShot(0, w, [this, w] { respond(*w); });
  }

  void respond(QWidget& w) {
    auto* q = w.findChild<QLabel*>("question");
    auto* a = w.findChild<QLineEdit*>("answer");
    for (const auto& [question, text] : kAnswers)
      if (q && a && screens_ <= 12 && label_words(q->text()) == question) {
        a->setText(text);
        return static_cast<QDialog&>(w).accept();
      }
    if (auto it = kGoOn.find(w.objectName()); it != kGoOn.end() && screens_ <= 12) {
      if (const size_t n = gone_on_[w.objectName()]++; n < it->second.size()) {
        current_ = nullptr;  // the screen comes up again when the one it opens is done
        return it->second[n](w);
      }
    }
    if (auto* m = qobject_cast<QMessageBox*>(&w)) {  // leave by its way out; a box with none is confirmed
      if (m->escapeButton()) m->escapeButton()->click();
      else if (auto* no = m->button(QMessageBox::No)) no->click();
      else m->done(0);
      return;
    }
    QTest::keyClick(w.focusWidget() ? w.focusWidget() : &w, Qt::Key_Escape);
  }

  QTimer timer_;
  QPointer<QWidget> current_;
  int waited_ = 0, screens_ = 0;
  std::map<QString, size_t> gone_on_;
};

// Film 8 out to member 42, who owes 2.50, and stock line 1: the return, arrears and stock
// screens have something to show.
class EveryScreen : public WindowTest {
 protected:
  void SetUp() override {
    qputenv("KELVO_PRINT_TO_PDF", QByteArray::fromStdString((folder_ / "prints").string()));
    given_smith_and_two_films();
    records::FilmRecord f;
    ASSERT_TRUE(records::read_film(shop_, 8, f));
    f.set_on_loan_to(42);
    f.set_last_hire(u"10:0005/12/2026");
    f.set_return_date(u"10:0006/12/2026");
    ASSERT_TRUE(records::rewrite_film(shop_, f));
    records::MemberRecord m;
    ASSERT_TRUE(records::read_member(shop_, 42, m));
    m.set_on_loan(0, 8);
    m.set_on_loan_rented(0, u"10:0005/12/2026");
    m.set_on_loan_flag(2);
    m.set_owed(2.5f);
    ASSERT_TRUE(records::rewrite_member(shop_, m));
    records::StockRecord line;
    line.set_number(1);
    line.set_description(u"Popcorn");
    ASSERT_TRUE(records::add_stock(shop_, line));
    use_real_dialogs();
  }
  ~EveryScreen() override { qunsetenv("KELVO_PRINT_TO_PDF"); }
};

TEST_F(EveryScreen, EachScreenIsNamedKeyedAndWholeForTheKeyboardAndScreenReaders) {
  ASSERT_TRUE(opened_);
  Walker walker;
  for (const shell::Command& c : shell::commands()) {
    if (c.id.empty() || !c.handler || kNotWalked.count(c.id)) continue;
    const QWidgetList before = QApplication::topLevelWidgets();
    walker.start();
    window_.run(c.id);
    walker.visit_new_windows(before, window_);
  }
  std::string report;
  for (const std::string& p : walker.faults) report += p + "\n";
  EXPECT_EQ(report, "");
  EXPECT_GT(walker.seen.size(), 60u) << "fewer screens reached than the commands open";
}

}  // namespace
}  // namespace kelvo::testing
