#include "platform/qt/access_keys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextEdit>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace kelvo::platform::qt {

bool is_field(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
         (qobject_cast<const QAbstractSlider*>(w) && !qobject_cast<const QScrollBar*>(w));
}

// The words of a label: no access-key ampersand, no closing colon.
QString words(QString t) {
  t.replace(QLatin1String("&&"), QStringLiteral("\x01"));
  t.remove(QLatin1Char('&'));
  t.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  t = t.simplified();
  if (t.endsWith(QLatin1Char(':'))) t.chop(1);
  return t.trimmed();
}

namespace {

// Position of the letter after a single ampersand, or -1.
qsizetype key_at(const QString& t) {
  for (qsizetype i = 0; i + 1 < t.size(); ++i) {
    if (t[i] != QLatin1Char('&')) continue;
    if (t[i + 1] == QLatin1Char('&')) { ++i; continue; }
    return i + 1;
  }
  return -1;
}

// The letters and digits a text could be keyed on, the first letters of its words first.
std::vector<QChar> key_choices(const QString& t) {
  std::vector<QChar> starts, others;
  auto add = [](std::vector<QChar>& v, QChar c) {
    if (std::find(v.begin(), v.end(), c) == v.end()) v.push_back(c);
  };
  for (qsizetype i = 0; i < t.size(); ++i) {
    if (t[i] == QLatin1Char('&')) continue;
    if (!t[i].isLetterOrNumber()) continue;
    const bool start = i == 0 || !t[i - 1].isLetterOrNumber();
    add(start ? starts : others, t[i].toLower());
  }
  for (QChar c : others) add(starts, c);
  return starts;
}

// The text keyed on `key`: the ampersand before its first letter that is `key`.
QString keyed_on(QString t, QChar key) {
  if (qsizetype k = key_at(t); k > 0) t.remove(k - 1, 1);
  qsizetype first = -1;
  for (qsizetype i = 0; i < t.size(); ++i) {
    if (t[i] == QLatin1Char('&')) { ++i; continue; }
    if (t[i].toLower() != key) continue;
    const bool start = i == 0 || !t[i - 1].isLetterOrNumber();
    if (start) return t.insert(i, QLatin1Char('&'));
    if (first < 0) first = i;
  }
  return first < 0 ? t : t.insert(first, QLatin1Char('&'));
}

// Something that carries an access key: a field's label, a button, a checkable group.
struct Keyed {
  QWidget* widget;
  QString text() const {
    if (auto* l = qobject_cast<QLabel*>(widget)) return l->text();
    return static_cast<QAbstractButton*>(widget)->text();
  }
  void set_text(const QString& t) const {
    if (auto* l = qobject_cast<QLabel*>(widget)) l->setText(t);
    else static_cast<QAbstractButton*>(widget)->setText(t);
  }
};

// A field the keyboard cannot reach needs no key; nor does the one field of a screen, which has
// the focus already.
bool carries_key(QWidget* w, int fields) {
  if (auto* l = qobject_cast<QLabel*>(w))
    return l->buddy() && l->buddy()->focusPolicy() != Qt::NoFocus && (fields > 1 || key_at(l->text()) > 0) && !words(l->text()).isEmpty();
  // Keys of an on-screen pad never take the focus; they are there for the touch of a finger.
  return (qobject_cast<QPushButton*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) &&
         w->focusPolicy() != Qt::NoFocus && !words(static_cast<QAbstractButton*>(w)->text()).isEmpty();
}

// Keys are unique within what is on screen together: the screen's own controls and one page
// of a stack (a tab) at a time.
QWidget* page_of(QWidget* w, QWidget& screen) {
  for (QWidget* p = w->parentWidget(); p && p != &screen; p = p->parentWidget())
    if (qobject_cast<QStackedWidget*>(p->parentWidget())) return p;
  return &screen;
}

// Keys already given stay where they are unique; the rest, those with the fewest letters left
// first, take a free letter of their own words. Where two controls were given the same letter,
// the earlier keeps it. A control left with no free letter takes one from a control given its
// key here that can move to another free letter of its own (a chain of such moves if need be),
// so a key is missing only where no choice of letters gives every control one.
void give_keys(const std::vector<Keyed>& list, std::set<QChar>& used) {
  std::vector<const Keyed*> later;
  for (const Keyed& k : list) {
    const QString t = k.text();
    const qsizetype at = key_at(t);
    if (at > 0 && used.insert(t[at].toLower()).second) continue;
    later.push_back(&k);
  }
  auto unkeyed = [](const Keyed* k) {
    QString t = k->text();
    if (qsizetype at = key_at(t); at > 0) t.remove(at - 1, 1);  // a letter taken already is no key
    return t;
  };
  std::map<const Keyed*, std::vector<QChar>> choices;
  for (const Keyed* k : later) choices[k] = key_choices(words(unkeyed(k)));
  std::map<QChar, const Keyed*> owner;  // keys given here, which may still move
  std::map<const Keyed*, QChar> given;
  auto take = [&](const Keyed* k, QChar c) {
    used.insert(c);
    owner[c] = k;
    given[k] = c;
  };
  std::function<bool(const Keyed*, std::set<QChar>&)> place = [&](const Keyed* k, std::set<QChar>& seen) {
    for (QChar c : choices[k])
      if (!used.count(c)) {
        take(k, c);
        return true;
      }
    for (QChar c : choices[k])
      if (owner.count(c) && owner[c] != k && seen.insert(c).second && place(owner[c], seen)) {
        take(k, c);
        return true;
      }
    return false;
  };
  auto free_choices = [&](const Keyed* k) {
    return std::count_if(choices[k].begin(), choices[k].end(), [&used](QChar c) { return !used.count(c); });
  };
  std::vector<const Keyed*> left = later;
  while (!left.empty()) {
    auto next = std::min_element(left.begin(), left.end(),
                                 [&](const Keyed* a, const Keyed* b) { return free_choices(a) < free_choices(b); });
    const Keyed* k = *next;
    left.erase(next);
    std::set<QChar> seen;
    place(k, seen);
  }
  for (const Keyed* k : later) {
    QString t = unkeyed(k);
    if (given.count(k)) t = keyed_on(t, given[k]);
    if (t != k->text()) k->set_text(t);
  }
}

// The underlined letter of a key is laid out apart from its neighbours, so a pair such as "To"
// loses its kerning and the text comes out wider than it was measured: the last letter would be
// cut. The control is given the room it draws in.
void room_for_key(QWidget* w, const QString& text) {
  const qsizetype at = key_at(text);
  if (at <= 0 || text.contains(QLatin1Char('\n'))) return;
  const QFontMetricsF m(w->font());
  const QString t = QString(text).remove(at - 1, 1);
  const int k = static_cast<int>(at - 1);
  const double lost = m.horizontalAdvance(t.left(k)) + m.horizontalAdvance(t.mid(k, 1)) +
                      m.horizontalAdvance(t.mid(k + 1)) - m.horizontalAdvance(t);
  if (lost <= 0) return;
  if (auto* l = qobject_cast<QLabel*>(w); l && l->wordWrap()) return;
  w->setMinimumWidth(std::max(w->minimumWidth(), w->sizeHint().width() + static_cast<int>(std::ceil(lost))));
}

}  // namespace

void give_access_keys(QWidget& screen) {
  std::map<QWidget*, std::vector<Keyed>> pages;
  std::vector<QWidget*> order;
  // Push buttons first: the way out of a screen matters more than any one field.
  QList<QWidget*> all = screen.findChildren<QWidget*>();
  std::stable_partition(all.begin(), all.end(), [](QWidget* w) { return qobject_cast<QPushButton*>(w) != nullptr; });
  const int fields = static_cast<int>(std::count_if(all.begin(), all.end(), [&screen](QWidget* w) {
    return is_field(w) && w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(&screen);
  }));
  for (QWidget* w : all) {
    QWidget* page = page_of(w, screen);
    if (!carries_key(w, fields) || !w->isVisibleTo(page)) continue;
    if (!pages.count(page)) order.push_back(page);
    pages[page].push_back(Keyed{w});
  }
  std::set<QChar> shared;
  give_keys(pages[&screen], shared);
  for (QWidget* page : order) {
    if (page == &screen) continue;
    std::set<QChar> used = shared;
    give_keys(pages[page], used);
  }
  for (QWidget* w : all) {
    if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) room_for_key(l, l->text());
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
      room_for_key(w, static_cast<QAbstractButton*>(w)->text());
  }
}

}  // namespace kelvo::platform::qt
