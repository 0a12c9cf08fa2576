#include "platform/qt/keyboard_access.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <map>
#include <set>
#include <vector>

namespace kelvo::platform::qt {

namespace {

// Set on a field whose name the pass gave it from its label, so a later pass may renew it.
constexpr const char* kNamedByLabel = "kelvo_named_by_label";

bool is_field(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
         qobject_cast<const QAbstractSlider*>(w);
}

QWidget* first_field(QLayoutItem* item) {
  if (!item) return nullptr;
  if (QWidget* w = item->widget()) return is_field(w) ? w : nullptr;
  if (QLayout* l = item->layout())
    for (int i = 0; i < l->count(); ++i)
      if (QWidget* w = first_field(l->itemAt(i))) return w;
  return nullptr;
}

QLabel* free_label(QLayoutItem* item) {
  auto* l = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
  if (!l || l->buddy() || l->text().trimmed().isEmpty() || !l->pixmap().isNull()) return nullptr;
  return l;
}

void pair(QLabel* label, QWidget* field) {
  if (label && field) label->setBuddy(field);
}

// A label on the left of a field (or above it in a column) is that field's label.
void pair_labels(QLayout* layout) {
  if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    for (int i = 0; i < grid->count(); ++i) {
      int r, c, rows, cols;
      grid->getItemPosition(i, &r, &c, &rows, &cols);
      if (QLabel* l = free_label(grid->itemAt(i))) pair(l, first_field(grid->itemAtPosition(r, c + cols)));
    }
  } else if (auto* form = qobject_cast<QFormLayout*>(layout)) {
    for (int r = 0; r < form->rowCount(); ++r)
      pair(free_label(form->itemAt(r, QFormLayout::LabelRole)), first_field(form->itemAt(r, QFormLayout::FieldRole)));
  } else if (layout) {
    for (int i = 0; i + 1 < layout->count(); ++i)
      pair(free_label(layout->itemAt(i)), first_field(layout->itemAt(i + 1)));
  }
  if (layout)
    for (int i = 0; i < layout->count(); ++i)
      if (QLayout* inner = layout->itemAt(i)->layout()) pair_labels(inner);
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

void name_from_labels(QWidget& screen) {
  for (QLabel* l : screen.findChildren<QLabel*>()) {
    QWidget* field = l->buddy();
    if (!field || words(l->text()).isEmpty()) continue;
    if (field->accessibleName().isEmpty() || field->property(kNamedByLabel).toBool()) {
      field->setAccessibleName(words(l->text()));
      field->setProperty(kNamedByLabel, true);
    }
  }
}

// Position of the letter after a single ampersand, or -1.
qsizetype key_at(const QString& t) {
  for (qsizetype i = 0; i + 1 < t.size(); ++i) {
    if (t[i] != QLatin1Char('&')) continue;
    if (t[i + 1] == QLatin1Char('&')) { ++i; continue; }
    return i + 1;
  }
  return -1;
}

// The text with its key moved to a letter not in `used`: first letters of words before others.
QString with_free_key(QString t, const std::set<QChar>& used) {
  if (qsizetype k = key_at(t); k > 0) t.remove(k - 1, 1);
  std::vector<qsizetype> starts, others;
  for (qsizetype i = 0; i < t.size(); ++i) {
    if (t[i] == QLatin1Char('&')) { ++i; continue; }
    if (!t[i].isLetterOrNumber()) continue;
    const bool start = i == 0 || !t[i - 1].isLetterOrNumber();
    (start ? starts : others).push_back(i);
  }
  starts.insert(starts.end(), others.begin(), others.end());
  for (qsizetype i : starts)
    if (!used.count(t[i].toLower())) return t.insert(i, QLatin1Char('&'));
  return t;
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

bool carries_key(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->buddy() && !words(l->text()).isEmpty();
  return (qobject_cast<QPushButton*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) &&
         !words(static_cast<QAbstractButton*>(w)->text()).isEmpty();
}

// Keys are unique within what is on screen together: the screen's own controls and one page
// of a stack (a tab) at a time.
QWidget* page_of(QWidget* w, QWidget& screen) {
  for (QWidget* p = w->parentWidget(); p && p != &screen; p = p->parentWidget())
    if (qobject_cast<QStackedWidget*>(p->parentWidget())) return p;
  return &screen;
}

void give_keys(const std::vector<Keyed>& list, std::set<QChar>& used) {
  std::vector<const Keyed*> later;
  for (const Keyed& k : list) {
    const QString t = k.text();
    const qsizetype at = key_at(t);
    if (at > 0 && used.insert(t[at].toLower()).second) continue;
    later.push_back(&k);
  }
  for (const Keyed* k : later) {
    const QString t = with_free_key(k->text(), used);
    if (qsizetype at = key_at(t); at > 0) used.insert(t[at].toLower());
    if (t != k->text()) k->set_text(t);
  }
}

void give_access_keys(QWidget& screen) {
  std::map<QWidget*, std::vector<Keyed>> pages;
  std::vector<QWidget*> order;
  for (QWidget* w : screen.findChildren<QWidget*>()) {
    if (!carries_key(w)) continue;
    QWidget* page = page_of(w, screen);
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
}

bool ours(const QWidget* w) {
  if (qobject_cast<const QMessageBox*>(w) || qobject_cast<const QMainWindow*>(w)) return false;
  const QString cls = QString::fromLatin1(w->metaObject()->className());
  return !(cls == QLatin1String("QPrintDialog") || cls == QLatin1String("QFileDialog") ||
           cls == QLatin1String("QPageSetupDialog"));
}

class Watcher : public QObject {
 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show && o->isWidgetType()) {
      auto* w = static_cast<QWidget*>(o);
      const Qt::WindowType type = w->windowType();
      if (w->isWindow() && (type == Qt::Dialog || type == Qt::Window) && ours(w)) ready_for_keyboard(*w);
    }
    return false;
  }
};

}  // namespace

void install_keyboard_access() {
  static Watcher* watcher = nullptr;
  if (watcher || !qApp) return;
  watcher = new Watcher;
  watcher->setParent(qApp);
  qApp->installEventFilter(watcher);
}

void ready_for_keyboard(QWidget& screen) {
  if (screen.layout()) pair_labels(screen.layout());
  for (QWidget* w : screen.findChildren<QWidget*>())
    if (w->layout() && !is_field(w)) pair_labels(w->layout());
  name_from_labels(screen);
  give_access_keys(screen);
}

void name_field(QWidget* field, const char* name) { field->setAccessibleName(QString::fromUtf8(name)); }

}  // namespace kelvo::platform::qt
