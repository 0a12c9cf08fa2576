#pragma once
// What a clerk at the keyboard and a screen reader need from any screen: a name for every
// control (the words of its label, unique), a unique Alt+letter key for every labelled field and
// button, toggles and read-only fields that say so, Tab as the eye reads, Enter and a first
// focus, and nothing clipped on an 800 x 600 desktop. Each fault names the screen and control.
#include <QtWidgets>
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
      if (a) check_state(w, a->state());
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

  void check_state(QWidget* w, QAccessible::State s) {
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable() && !s.checkable)
      fault(w, "is a toggle but not reported checkable");
    bool read_only = false;
    if (auto* e = qobject_cast<QLineEdit*>(w)) read_only = e->isReadOnly();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) read_only = e->isReadOnly();
    if (auto* e = qobject_cast<QTextEdit*>(w)) read_only = e->isReadOnly();
    if (read_only && (!s.readOnly || s.editable)) fault(w, "is read-only but reported editable");
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
      if (auto* p = qobject_cast<QPushButton*>(w); p && p->fontMetrics().horizontalAdvance(label_words(p->text())) + 6 > p->width())
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
      if (auto* e = qobject_cast<QLineEdit*>(w); e && !e->isReadOnly() && e->isEnabled() && e->focusPolicy() != Qt::NoFocus)
        typed_box = true;
    }
    // A box that takes Enter itself (a scanner ends each code with it) needs no default button.
    if (auto* e = qobject_cast<QLineEdit*>(screen_.focusWidget()); e && has_receiver(e, &QLineEdit::returnPressed))
      takes_enter = true;
    if (auto* l = qobject_cast<QListWidget*>(screen_.focusWidget()); l && has_receiver(l, &QListWidget::itemActivated))
      takes_enter = true;
    if (typed_box && qobject_cast<QPushButton*>(screen_.focusWidget()))
      fault(screen_.focusWidget(), "has the first focus, before the boxes to type in");
    if (buttons && !takes_enter && qobject_cast<QDialog*>(&screen_)) out_.push_back(id(&screen_) + " has no button that takes Enter");
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
          fault(chain[j], "comes after " + QString::fromStdString(id(chain[i])) + " in the Tab order, though it is shown before it");
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
  void fault(const QWidget* w, const QString& what) { out_.push_back(id(&screen_) + ": " + id(w) + " " + what.toStdString()); }

  QWidget& screen_;
  std::vector<QWidget*> controls_;
  std::map<const QWidget*, QLabel*> buddy_;
  std::vector<std::string> out_;
  QString all_keys_;
};

}  // namespace kelvo::testing
