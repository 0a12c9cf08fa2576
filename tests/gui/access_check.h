#pragma once
// What a clerk at the keyboard and a screen reader need from any screen, checked through the
// accessibility tree: a name for every control that takes input or focus (the words of its
// label, unique in the screen), an Alt+letter key for every labelled field and button (unique),
// toggles that say they are toggles, read-only fields that say so, lists that report rows and
// columns, reactions to the state of a control rather than to the mouse, and nothing clipped.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "gui/screen_script.h"

namespace kelvo::testing {

// The letter after a single ampersand, lower case; 0 when there is none.
inline QChar access_key(const QString& t) {
  for (qsizetype i = 0; i + 1 < t.size(); ++i) {
    if (t[i] != QLatin1Char('&')) continue;
    if (t[i + 1] == QLatin1Char('&')) { ++i; continue; }
    return t[i + 1].toLower();
  }
  return QChar();
}

// Whether a signal of `o` has a receiver (the test only asks; it never emits).
struct SignalPeek : QObject {
  static bool connected(const QObject* o, const QMetaMethod& m) { return (o->*(&SignalPeek::isSignalConnected))(m); }
};
template <typename Signal>
bool has_receiver(const QObject* o, Signal s) {
  return SignalPeek::connected(o, QMetaMethod::fromSignal(s));
}

// The Alt+letter keys a screen offers, as "Alt+N  Name" lines (for the help pages).
inline QStringList key_list(QWidget& screen) {
  QStringList out;
  for (QWidget* w : screen.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&screen)) continue;
    QString t;
    if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) t = l->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(w)) t = b->text();
    const QChar k = access_key(t);
    if (!k.isNull()) out << "Alt+" + QString(k.toUpper()) + "  " + label_words(t);
  }
  return out;
}

class AccessCheck {
 public:
  explicit AccessCheck(QWidget& screen) : screen_(screen) {}

  std::vector<std::string> problems() {
    const QList<QWidget*> all = screen_.findChildren<QWidget*>();
    for (QWidget* w : all)
      if (w->isVisibleTo(&screen_) && is_control(w)) controls_.push_back(w);
    for (QWidget* w : all)
      if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) buddy_[l->buddy()] = l;
    for (QWidget* w : controls_) {
      QString t;
      if (auto* l = qobject_cast<QLabel*>(buddy_.count(w) ? buddy_[w] : nullptr)) t = l->text();
      else if (auto* b = qobject_cast<QAbstractButton*>(w)) t = b->text();
      if (QChar k = access_key(t); !k.isNull()) all_keys_ += k;
    }
    std::map<QString, QWidget*> names;
    std::map<QChar, QString> keys;
    for (QWidget* w : controls_) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      const QString name = spoken_name(w, a);
      if (name.isEmpty()) {
        fault(w, "has no accessible name");
      } else if (auto [it, fresh] = names.emplace(name, w); !fresh) {
        fault(w, "shares its name \"" + name + "\" with " + QString::fromStdString(id(it->second)));
      }
      const QLabel* label = buddy_.count(w) ? buddy_[w] : nullptr;
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
  // What a screen reader says a control is. On Linux Qt gives a combo box its entry as its name
  // and says what it is through the label relation, as the desktop's own toolkits do.
  static QString spoken_name(QWidget* w, QAccessibleInterface* a) {
    if (!a) return {};
    if (!qobject_cast<QComboBox*>(w)) return a->text(QAccessible::Name);
    if (!w->accessibleName().isEmpty()) return w->accessibleName();
    for (const auto& [other, relation] : a->relations(QAccessible::Label)) return other->text(QAccessible::Name);
    return {};
  }

  // A control a clerk types into, picks from, presses or moves to with Tab; parts of a bigger
  // control (a combo's edit, a list's scroll bars, a tab bar) are spoken for by that control.
  bool is_control(QWidget* w) const {
    for (QWidget* p = w->parentWidget(); p && p != &screen_; p = p->parentWidget())
      if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QAbstractScrollArea*>(p) ||
          qobject_cast<QTabBar*>(p))
        return false;
    if (qobject_cast<QScrollBar*>(w) || qobject_cast<QTabBar*>(w)) return false;
    if (w->objectName().startsWith(QLatin1String("qt_"))) return false;  // a part of one of Qt's own controls
    if (qobject_cast<QGroupBox*>(w)) return static_cast<QGroupBox*>(w)->isCheckable();
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
           qobject_cast<QAbstractItemView*>(w);
  }

  void check_key(QWidget* w, const QLabel* label, std::map<QChar, QString>& keys) {
    QString shown;
    if (label) shown = label->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->focusPolicy() != Qt::NoFocus) shown = b->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w)) shown = g->title();
    if (label_words(shown).isEmpty()) return;  // no visible words: no letter to underline
    const QChar k = access_key(shown);
    // The keyboard cannot reach the field, or it is the screen's one field and has the focus.
    if (label && (w->focusPolicy() == Qt::NoFocus || (typed_fields() < 2 && k.isNull()))) return;
    if (k.isNull()) {
      // More fields than letters and digits: a field whose every letter is taken is reached by Tab.
      for (QChar c : label_words(shown))
        if (c.isLetterOrNumber() && !all_keys_.contains(c.toLower())) {
          fault(w, "has no Alt+letter key (\"" + shown + "\") though " + c + " is free");
          break;
        }
      return;
    }
    if (auto [it, fresh] = keys.emplace(k, shown); !fresh)
      fault(w, "takes Alt+" + QString(k.toUpper()) + ", already the key of \"" + it->second + "\"");
  }

  void check_state(QWidget* w, QAccessibleInterface* a) {
    const QAccessible::State s = a->state();
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable() && !s.checkable)
      fault(w, "is a toggle but not reported checkable");
    bool read_only = false;
    if (auto* e = qobject_cast<QLineEdit*>(w)) read_only = e->isReadOnly();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) read_only = e->isReadOnly();
    if (auto* e = qobject_cast<QTextEdit*>(w)) read_only = e->isReadOnly();
    if (read_only && (!s.readOnly || s.editable)) fault(w, "is read-only but reported editable");
    if (qobject_cast<QAbstractItemView*>(w) && !a->tableInterface())
      fault(w, "does not report its rows and columns");
  }

  // A screen that listens only to what the mouse did misses the keyboard, the scanner and
  // assistive actions.
  void check_reaction(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable() && !qobject_cast<QPushButton*>(w) &&
        (has_receiver(b, &QAbstractButton::clicked) || has_receiver(b, &QAbstractButton::pressed)) &&
        !has_receiver(b, &QAbstractButton::toggled))
      fault(w, "acts on the click, not on the box being ticked");
    if (auto* e = qobject_cast<QLineEdit*>(w); e && has_receiver(e, &QLineEdit::textEdited) &&
        !has_receiver(e, &QLineEdit::textChanged))
      fault(w, "acts on typing, not on its text changing");
    if (auto* c = qobject_cast<QComboBox*>(w); c && has_receiver(c, &QComboBox::activated) &&
        !has_receiver(c, &QComboBox::currentIndexChanged))
      fault(w, "acts on a pick, not on its current entry changing");
    if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
      bool click = has_receiver(v, &QAbstractItemView::clicked) || has_receiver(v, &QAbstractItemView::pressed);
      bool state = v->selectionModel() && (has_receiver(v->selectionModel(), &QItemSelectionModel::currentChanged) ||
                                           has_receiver(v->selectionModel(), &QItemSelectionModel::selectionChanged));
      if (auto* l = qobject_cast<QListWidget*>(w)) {
        click = click || has_receiver(l, &QListWidget::itemClicked) || has_receiver(l, &QListWidget::itemPressed);
        state = state || has_receiver(l, &QListWidget::currentRowChanged) ||
                has_receiver(l, &QListWidget::currentItemChanged) || has_receiver(l, &QListWidget::itemSelectionChanged);
      }
      if (auto* t = qobject_cast<QTableWidget*>(w)) {
        click = click || has_receiver(t, &QTableWidget::cellClicked) || has_receiver(t, &QTableWidget::itemClicked);
        state = state || has_receiver(t, &QTableWidget::currentCellChanged) ||
                has_receiver(t, &QTableWidget::itemSelectionChanged);
      }
      if (click && !state) fault(w, "acts on a click in the list, not on the row chosen");
    }
  }

  // Every label, button text and field whole, and the screen itself on the smallest desktop the
  // program allows, 800 x 600.
  void check_clipping() {
    if (screen_.width() > 800 || screen_.height() > 600)
      out_.push_back(id(&screen_) + " is " + std::to_string(screen_.width()) + " x " +
                     std::to_string(screen_.height()) + ", more than 800 x 600");
    for (QWidget* w : screen_.findChildren<QWidget*>()) {
      if (!w->isVisibleTo(&screen_)) continue;
      if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty() && l->textFormat() != Qt::RichText &&
                                             !Qt::mightBeRichText(l->text()) && l->pixmap().isNull()) {
        const bool cut = l->wordWrap() ? l->height() < l->heightForWidth(l->width())
                                       : l->width() + 0.5 < l->minimumSizeHint().width() + kerning_lost(*l, l->text());
        if (cut) fault(w, "shows \"" + l->text() + "\" clipped");
      }
      if ((qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) &&
          w->width() + 0.5 < w->sizeHint().width() + kerning_lost(*w, static_cast<QAbstractButton*>(w)->text()))
        fault(w, "shows its text clipped");
      if (auto* b = qobject_cast<QPushButton*>(w);
          b && b->fontMetrics().horizontalAdvance(label_words(b->text())) + 6 > b->width())
        fault(w, "shows its text clipped");
      if (is_control(w) && !screen_.rect().contains(QRect(w->mapTo(&screen_, QPoint(0, 0)), w->size())))
        fault(w, "lies partly outside its screen");
    }
  }

  // The width of a text as the screen draws it: the underlined letter of an access key is laid
  // out apart from its neighbours, so the pair it makes with them ("To") loses its kerning and
  // the line comes out wider than it was measured.
  static double kerning_lost(const QWidget& w, const QString& text) {
    const QFontMetricsF m(w.font());
    const QString t = shown_text(text);
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= text.size() || text.contains(QLatin1String("&&")) || text.contains(QLatin1Char('\n')))
      return 0;
    return m.horizontalAdvance(t.left(at)) + m.horizontalAdvance(t.mid(at, 1)) + m.horizontalAdvance(t.mid(at + 1)) -
           m.horizontalAdvance(t);
  }

  // Enter reaches a default button, and the focus starts somewhere.
  void check_entry() {
    bool buttons = false, default_button = false;
    for (QWidget* w : controls_)
      if (auto* b = qobject_cast<QPushButton*>(w); b && b->isEnabled()) {
        buttons = true;
        default_button = default_button || b->isDefault() || (b->autoDefault() && b->hasFocus());
      }
    // A box that takes Enter itself (a scanner ends each code with it) needs no default button.
    auto* typed = qobject_cast<QLineEdit*>(screen_.focusWidget());
    if (typed && has_receiver(typed, &QLineEdit::returnPressed)) default_button = true;
    auto* list = qobject_cast<QListWidget*>(screen_.focusWidget());
    if (list && has_receiver(list, &QListWidget::itemActivated)) default_button = true;
    // Where there is something to type, the focus starts on a field (a box, or a choice drawn
    // before the boxes), not on a button.
    bool typed_box = false;
    for (QWidget* w : controls_)
      if (auto* e = qobject_cast<QLineEdit*>(w); e && !e->isReadOnly() && e->isEnabled() && e->focusPolicy() != Qt::NoFocus)
        typed_box = true;
    if (typed_box && qobject_cast<QPushButton*>(screen_.focusWidget()))
      fault(screen_.focusWidget(), "has the first focus, before the boxes to type in");
    if (buttons && !default_button && qobject_cast<QDialog*>(&screen_)) out_.push_back(id(&screen_) + " has no button that takes Enter");
  }

  // Tab goes as the eye reads: of two controls in one row the left one first, of two in one
  // column the upper one first; a control lying both lower and to one side of another may come
  // before or after it, so a form read down its columns passes as well as one read across its
  // rows. A group box is gone through in one run.
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
      const int rows = std::min(ra.bottom(), rb.bottom()) - std::max(ra.top(), rb.top());
      const int columns = std::min(ra.right(), rb.right()) - std::max(ra.left(), rb.left());
      if (rows > std::min(ra.height(), rb.height()) / 2) return ra.center().x() < rb.center().x();
      if (columns > 0) return ra.center().y() < rb.center().y();
      return false;
    };
    std::set<QWidget*> told;
    for (size_t i = 0; i < chain.size(); ++i)
      for (size_t j = i + 1; j < chain.size(); ++j)
        if (shown_before(chain[j], chain[i]) && told.insert(chain[j]).second)
          fault(chain[j], "comes after " + QString::fromStdString(id(chain[i])) +
                              " in the Tab order, though it is shown before it");
    for (QGroupBox* g : screen_.findChildren<QGroupBox*>()) {
      qsizetype first = -1, last = -1;
      for (size_t i = 0; i < chain.size(); ++i)
        if (g->isAncestorOf(chain[i])) {
          if (first < 0) first = static_cast<qsizetype>(i);
          last = static_cast<qsizetype>(i);
        }
      for (qsizetype i = first + 1; first >= 0 && i < last; ++i)
        if (!g->isAncestorOf(chain[i]) && told.insert(chain[i]).second)
          fault(chain[i], "is reached by Tab in the middle of the group \"" + g->title() + "\"");
    }
  }

  int typed_fields() const {
    int n = 0;
    for (QWidget* w : controls_)
      if (!qobject_cast<QAbstractButton*>(w) && w->focusPolicy() != Qt::NoFocus) ++n;
    return n;
  }

  std::string id(const QWidget* w) const {
    QString s = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    if (w == &screen_) return ("\"" + screen_.windowTitle() + "\" (" + s + ")").toStdString();
    return s.toStdString();
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

}  // namespace kelvo::testing
