#include "platform/qt/keyboard_access.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <map>
#include <set>
#include <vector>

#include "platform/qt/access_keys.h"

namespace kelvo::platform::qt {

namespace {

// Set on a field whose name the pass gave it from its label, so a later pass may renew it.
constexpr const char* kNamedByLabel = "kelvo_named_by_label";


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
  } else if (auto* row = qobject_cast<QBoxLayout*>(layout)) {
    // Beside a box, or over a list or a page of text; a line over a box is a heading or a note.
    const bool across = row->direction() == QBoxLayout::LeftToRight || row->direction() == QBoxLayout::RightToLeft;
    for (int i = 0; i + 1 < row->count(); ++i) {
      QWidget* next = row->itemAt(i + 1)->widget();
      const bool below = qobject_cast<QAbstractItemView*>(next) || qobject_cast<QPlainTextEdit*>(next) ||
                         qobject_cast<QTextEdit*>(next);
      if (next && is_field(next) && (across || below)) pair(free_label(row->itemAt(i)), next);
    }
  }
  if (layout)
    for (int i = 0; i < layout->count(); ++i)
      if (QLayout* inner = layout->itemAt(i)->layout()) pair_labels(inner);
}

// A label set over a row of boxes (a telephone and its extension, the parts of a date) leads to
// the first box of the row.
void lead_to_first_field(QWidget& screen) {
  for (QLabel* l : screen.findChildren<QLabel*>()) {
    QWidget* row = l->buddy();
    if (!row || is_field(row) || qobject_cast<QAbstractButton*>(row)) continue;
    for (QWidget* w : row->findChildren<QWidget*>())
      if (is_field(w) && w->focusPolicy() != Qt::NoFocus) {
        l->setBuddy(w);
        break;
      }
  }
}

QGroupBox* group_of(QWidget* w, QWidget& screen) {
  for (QWidget* p = w->parentWidget(); p && p != &screen; p = p->parentWidget())
    if (auto* g = qobject_cast<QGroupBox*>(p); g && !words(g->title()).isEmpty()) return g;
  return nullptr;
}

bool labelled(QWidget* field, QWidget& screen) {
  for (QLabel* l : screen.findChildren<QLabel*>())
    if (l->buddy() == field) return true;
  return false;
}

// A list or box alone in its group is named by the group's title.
void name_from_groups(QWidget& screen) {
  for (QGroupBox* g : screen.findChildren<QGroupBox*>()) {
    QWidget* only = nullptr;
    int fields = 0;
    for (QWidget* w : g->findChildren<QWidget*>())
      if (is_field(w) && !qobject_cast<QAbstractItemView*>(w->parentWidget()) &&
          !qobject_cast<QComboBox*>(w->parentWidget()) && !qobject_cast<QAbstractSpinBox*>(w->parentWidget())) {
        ++fields;
        only = w;
      }
    if (fields == 1 && only->accessibleName().isEmpty() && !labelled(only, screen) && group_of(only, screen) == g)
      only->setAccessibleName(words(g->title()));
  }
}

// Boxes whose labels repeat from group to group ("Total" under each offer) are named with
// their group too: "Offer 2 Total".
void tell_repeats_apart(QWidget& screen) {
  std::map<QString, std::vector<QWidget*>> by_name;
  for (QWidget* w : screen.findChildren<QWidget*>()) {
    QString name = w->accessibleName();
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && name.isEmpty()) name = words(b->text());
    if ((is_field(w) || qobject_cast<QAbstractButton*>(w)) && !name.isEmpty()) by_name[name].push_back(w);
  }
  for (auto& [name, same] : by_name) {
    if (same.size() < 2) continue;
    std::set<QGroupBox*> groups;
    for (QWidget* w : same) groups.insert(group_of(w, screen));
    if (groups.size() != same.size()) continue;
    for (QWidget* w : same)
      if (QGroupBox* g = group_of(w, screen)) w->setAccessibleName(words(g->title()) + QLatin1Char(' ') + name);
  }
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

QString label_words_at(QGridLayout* grid, int r, int c) {
  QLayoutItem* item = grid->itemAtPosition(r, c);
  auto* l = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
  return l ? words(l->text()) : QString();
}

// In a table of boxes with a heading over each column and one before each row, a box is named
// by both ("Band 3 Today"): its row heading alone would name every box of the row alike.
void name_table_cells(QLayout* layout) {
  if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    for (int i = 0; i < grid->count(); ++i) {
      int r, c, rows, cols;
      grid->getItemPosition(i, &r, &c, &rows, &cols);
      QWidget* field = grid->itemAt(i)->widget();
      if (r == 0 || c == 0 || !field || !is_field(field)) continue;
      if (!field->accessibleName().isEmpty() && !field->property(kNamedByLabel).toBool()) continue;
      const QString row = label_words_at(grid, r, 0), column = label_words_at(grid, 0, c);
      if (row.isEmpty() || column.isEmpty()) continue;
      field->setAccessibleName(row + QLatin1Char(' ') + column);
      field->setProperty(kNamedByLabel, true);
    }
  }
  if (layout)
    for (int i = 0; i < layout->count(); ++i)
      if (QLayout* inner = layout->itemAt(i)->layout()) name_table_cells(inner);
}

bool ours(const QWidget* w) {
  if (qobject_cast<const QMessageBox*>(w) || qobject_cast<const QMainWindow*>(w)) return false;
  const QString cls = QString::fromLatin1(w->metaObject()->className());
  return !(cls == QLatin1String("QPrintDialog") || cls == QLatin1String("QFileDialog") ||
           cls == QLatin1String("QPageSetupDialog"));
}

// Qt 6.4 reports every line box as editable, read-only or not, so a screen reader offers to
// type into a figure the screen only shows. A box read-only when first asked about speaks
// through this instead: its label for a name, its text for a value, read-only as it is.
class ShownLineAccessible : public QAccessibleWidget {
 public:
  explicit ShownLineAccessible(QLineEdit* e) : QAccessibleWidget(e, QAccessible::EditableText) {}
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const bool read_only = line()->isReadOnly();
    s.readOnly = read_only;
    s.editable = !read_only;
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return line()->echoMode() == QLineEdit::Normal ? line()->text() : QString();
    return QAccessibleWidget::text(t);
  }

 private:
  QLineEdit* line() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* shown_line_factory(const QString& class_name, QObject* o) {
  if (class_name != QLatin1String("QLineEdit")) return nullptr;
  auto* e = qobject_cast<QLineEdit*>(o);
  return e && e->isReadOnly() ? new ShownLineAccessible(e) : nullptr;
}

class Watcher : public QObject {
 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    // A box turned read-only (or back) is spoken for afresh, by the right interface.
    if (e->type() == QEvent::ReadOnlyChange && qobject_cast<QLineEdit*>(o)) {
      if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(a));
    }
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
  QAccessible::installFactory(shown_line_factory);
  // Text hinted to whole device pixels comes out wider at a scale factor such as 1.5 than the
  // screens measured it, and the last letters of a label are cut; unhinted text scales evenly.
  QFont font = QApplication::font();
  font.setHintingPreference(QFont::PreferNoHinting);
  QApplication::setFont(font);
}

void ready_for_keyboard(QWidget& screen) {
  if (screen.layout()) pair_labels(screen.layout());
  for (QWidget* w : screen.findChildren<QWidget*>())
    if (w->layout() && !is_field(w)) pair_labels(w->layout());
  lead_to_first_field(screen);
  name_from_labels(screen);
  if (screen.layout()) name_table_cells(screen.layout());
  for (QWidget* w : screen.findChildren<QWidget*>())
    if (w->layout() && !is_field(w)) name_table_cells(w->layout());
  name_from_groups(screen);
  tell_repeats_apart(screen);
  give_access_keys(screen);
}

}  // namespace kelvo::platform::qt
