// records/shop.h comes before any Qt header: a record count there is named "slots".
#include "records/shop.h"
#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/qt/keyboard_access.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_operator.h"
#include "platform/qt/qt_text.h"
#include "records/counter_session.h"
#include "shell/activity_pane.h"
#include "shell/clock_widget.h"
#include "shell/main_window_icons.h"
#include "shell/settings_prompts.h"
#include "shell/shell_operations.h"
#include "shell/tip_of_day.h"

namespace kelvo::shell {

using platform::qt::qs;

namespace {
// A window on a desktop of 810 to 1027 pixels, where every label is whole.
constexpr int kDefaultWidth = 980;
constexpr int kDefaultHeight = 700;
}  // namespace

BigButton::BigButton(std::string_view command, const QString& caption, QWidget* parent)
    : QAbstractButton(parent), picture_(command_picture(command, 64)) {
  setText(caption);
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(sizeHint());
  setCursor(Qt::PointingHandCursor);
}

void BigButton::set_highlighted(bool on) {
  highlighted_ = on;
  update();
}

void BigButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF tile(4, 2, width() - 8, 72);
  QColor base = isDown() ? QColor(0x3b, 0x47, 0x5c) : underMouse() ? QColor(0x34, 0x3f, 0x52) : QColor(0x2b, 0x34, 0x45);
  p.setPen(highlighted_ ? QPen(QColor(0xf2, 0xc1, 0x4e), 3) : QPen(QColor(0x45, 0x50, 0x63), 1));
  p.setBrush(base);
  p.drawRoundedRect(tile, 8, 8);
  p.drawPixmap(QPointF(tile.center().x() - 32, tile.top() + 4), picture_);
  p.setPen(highlighted_ ? QColor(0xf2, 0xc1, 0x4e) : QColor(0xe8, 0xec, 0xf2));
  QFont f = font();
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRectF(0, 76, width(), 20), Qt::AlignCenter, text());
}

MainWindow::MainWindow(records::Shop& shop, platform::qt::QtOperator& op, QWidget* parent)
    : QMainWindow(parent), shop_(&shop), op_(&op) {
  setObjectName("QUENDRIX");
  setWindowTitle("QUENDRIX");
  setFocusPolicy(Qt::StrongFocus);
  platform::qt::install_keyboard_access();
  build_menus();
  build_toolbar();
  statusBar()->showMessage(tr("Ready"));
  statusBar()->setObjectName("status_bar");
  setCentralWidget(build_client());
  bind_keys();
  op.set_window(this);
  op.set_activity_sink([this](const QString& line) { pane_->append_line(line); });
  move_big_focus(0);
  refresh_menus();
  // On a database, what the other counters' commits told this one is read while it waits.
  auto* told = new QTimer(this);
  connect(told, &QTimer::timeout, this, [this] {
    if (shop_->remote()) shop_->remote()->hold_notices();
  });
  told->start(2000);
}

void MainWindow::build_menus() {
  std::map<std::string, QMenu*, std::less<>> menus;
  auto menu_for = [&](std::string_view path) {
    std::string key(path);
    if (auto it = menus.find(key); it != menus.end()) return it->second;
    QMenu* m = nullptr;
    size_t slash = path.rfind('/');
    QString title = QString::fromUtf8(path.substr(slash == std::string_view::npos ? 0 : slash + 1));
    if (slash == std::string_view::npos) m = menuBar()->addMenu(title);
    else m = menus.at(std::string(path.substr(0, slash)))->addMenu(title);
    m->setObjectName(QString::fromUtf8(path));
    connect(m, &QMenu::aboutToShow, this, &MainWindow::refresh_menus);
    menus.emplace(key, m);
    return m;
  };
  for (const Command& c : commands()) {
    QAction* a = nullptr;
    if (c.text == "-") {
      menu_for(c.menu)->addSeparator();
      continue;
    }
    QString text = QString::fromUtf8(c.text);
    std::string_view shown = c.shown.empty() ? c.keys : c.shown;
    if (!shown.empty() && shown != "-") text += '\t' + QString::fromUtf8(shown);
    a = new QAction(text, this);
    a->setObjectName(QString::fromUtf8(c.id));
    a->setCheckable(c.check != nullptr);
    std::string id(c.id);
    connect(a, &QAction::triggered, this, [this, id] { run(id); });
    if (!c.menu.empty()) menu_for(c.menu)->addAction(a);
    actions_.emplace(id, a);
  }
}

void MainWindow::build_toolbar() {
  auto* bar = addToolBar(tr("Toolbar"));
  bar->setObjectName("toolbar");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  bool first = true;
  for (const auto& group : toolbar_groups()) {
    if (!first) {
      auto* gap = new QWidget(bar);
      gap->setFixedWidth(14);
      bar->addWidget(gap);
    }
    first = false;
    for (const ToolButton& b : group) {
      // A toolbar button is an action of its own (own tooltip), sharing the command's fate.
      auto* a = new QAction(command_icon(b.command), QString::fromUtf8(b.tooltip), this);
      a->setToolTip(QString::fromUtf8(b.tooltip));
      a->setObjectName(QStringLiteral("tool:") + QString::fromUtf8(b.command));
      std::string id(b.command);
      connect(a, &QAction::triggered, this, [this, id] { run(id); });
      bar->addAction(a);
      actions_.emplace("tool:" + id, a);
    }
  }
}

QWidget* MainWindow::build_client() {
  auto* client = new QWidget(this);
  client->setObjectName("client");
  client->setAutoFillBackground(true);
  QPalette pal = client->palette();
  pal.setColor(QPalette::Window, QColor(0x1e, 0x24, 0x30));
  client->setPalette(pal);
  auto* row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  auto* left = new QWidget(client);
  left->setFixedWidth(240);
  auto* col = new QVBoxLayout(left);
  col->setContentsMargins(20, 18, 20, 18);
  store_label_ = new QLabel(left);
  store_label_->setObjectName("store_name");
  store_label_->setStyleSheet("color:#f2c14e; font-size:15px; font-weight:bold;");
  store_label_->setWordWrap(true);
  operator_label_ = new QLabel(left);
  operator_label_->setObjectName("operator");
  operator_label_->setStyleSheet("color:#aeb8c8;");
  col->addWidget(store_label_);
  col->addWidget(operator_label_);
  col->addSpacing(22);

  auto* grid = new QGridLayout;
  grid->setSpacing(8);
  int i = 0;
  for (const auto& b : big_buttons()) {
    auto* button = new BigButton(b.click, QString::fromUtf8(b.caption), left);
    button->setObjectName(QStringLiteral("big:") + QString::fromUtf8(b.caption));
    std::string click(b.click);
    int index = i;
    connect(button, &QAbstractButton::clicked, this, [this, click, index] {
      move_big_focus(index);
      run(click);
    });
    grid->addWidget(button, i / 2, i % 2);
    big_.push_back(button);
    ++i;
  }
  col->addLayout(grid);
  col->addStretch(1);
  clock_ = new ClockWidget(shop_->clock(), left);
  clock_->setFixedSize(170, 170);
  col->addWidget(clock_, 0, Qt::AlignHCenter);
  col->addStretch(1);
  row->addWidget(left);

  auto* right = new QWidget(client);
  right->setAutoFillBackground(true);
  QPalette white = right->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  right->setPalette(white);
  auto* rcol = new QVBoxLayout(right);
  rcol->setContentsMargins(14, 10, 0, 0);
  auto* heading = new QLabel(tr("Activity"), right);
  heading->setStyleSheet("color:#4a5568; font-weight:bold; font-size:13px;");
  rcol->addWidget(heading);
  pane_ = new ActivityPane(right);
  QFont f("DejaVu Sans Mono");
  f.setStyleHint(QFont::Monospace);
  f.setPointSize(10);
  pane_->setFont(f);
  rcol->addWidget(pane_);
  row->addWidget(right, 1);
  return client;
}

void MainWindow::bind_keys() {
  for (const Command& c : commands()) {
    if (c.keys.empty()) continue;
    std::string id(c.id);
    std::string_view keys = c.keys;
    while (!keys.empty()) {
      size_t comma = keys.find(',');
      std::string_view one = keys.substr(0, comma);
      // "+" alone cannot be written as a key sequence string: it is the separator.
      QKeySequence seq = one == "+" ? QKeySequence(Qt::Key_Plus) : QKeySequence(QString::fromUtf8(one));
      auto* s = new QShortcut(seq, this);
      s->setObjectName(QStringLiteral("key:") + QString::fromUtf8(one));
      connect(s, &QShortcut::activated, this, [this, id] { run(id); });
      keys = comma == std::string_view::npos ? std::string_view{} : keys.substr(comma + 1);
    }
  }
}

QAction* MainWindow::action(std::string_view id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

bool MainWindow::open_shop(int display_depth) {
  if (!records::open_counter_data(*shop_)) {
    Q_EMIT quit_requested();
    return false;
  }
  previous_shutdown_ = records::announce_start(*shop_);
  for (const auto& line : records::session_lines(*shop_, display_depth)) pane_->append_line(qs(line));
  apply_clock_setting();
  update_operator_label();
  refresh_menus();
  return true;
}

void MainWindow::run(std::string_view id) {
  const Command* c = find_command(id);
  if (!c) return;
  if (!c->handler) {
    statusBar()->showMessage(tr("%1: not available in this version").arg(QString::fromUtf8(c->text).remove('&')), 4000);
    return;
  }
  // What other counters sharing the shop's database changed is seen by every command.
  if (shop_->remote()) shop_->remote()->refresh();
  if (!command_allowed(*c, shop_->config, access_)) {
    if (id == "utilities.password_control" || id == "utilities.operator_setup")
      records::require_administrator(shop_->op(), access_);
    return;
  }
  c->handler(*this);
  refresh_menus();
}

void MainWindow::refresh_menus() {
  update_operator_label();
  for (const Command& c : commands()) {
    if (c.id.empty()) continue;
    bool enabled = c.handler && command_allowed(c, shop_->config, access_);
    if (QAction* a = action(c.id)) {
      a->setEnabled(enabled);
      if (c.check) a->setChecked(c.check(shop_->config));
    }
    if (QAction* t = action("tool:" + std::string(c.id))) t->setEnabled(enabled);
  }
}

void MainWindow::apply_clock_setting() { clock_->setVisible(records::clock_shown(shop_->config)); }

void MainWindow::update_operator_label() {
  store_label_->setText(qs(shop_->address.store_name()));
  int64_t n = shop_->config.signed_on_operator();
  operator_label_->setText(n >= 1 && n <= 30 ? tr("Operator %1: %2").arg(n).arg(qs(shop_->config.operator_name(n)))
                                             : tr("No operator signed on"));
}

void MainWindow::log_off() {
  shell::sign_on(*shop_, access_, this);
  update_operator_label();
  refresh_menus();
}

void MainWindow::restore() {
  if (shell::restore(*shop_, this)) quit();
}

void MainWindow::show_help(const QString& page) { platform::qt::HelpWindow::show_page(page); }

void MainWindow::show_tip(bool) {
  TipOfDayDialog dialog(shop_->config, this);
  if (dialog.exec() == QDialog::Accepted) shop_->save_config();
}

void MainWindow::quit() { close(); }

void MainWindow::fit_to_desktop(int desktop_width) {
  if (desktop_width > 1027) {
    setWindowFlags((windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::WindowMinimizeButtonHint);
    setFixedSize(1024, 768);
  } else {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    if (desktop_width < 810) {
      move(0, 0);
      resize(800, 600);
    } else {
      // The toolkit's own default size clips the big buttons' captions and the operator's name.
      resize(std::min(desktop_width, kDefaultWidth), kDefaultHeight);
    }
  }
}

void MainWindow::move_big_focus(int to) {
  big_focus_ = to;
  for (size_t i = 0; i < big_.size(); ++i) big_[i]->set_highlighted(static_cast<int>(i) == to);
}

void MainWindow::run_big_button(bool by_keyboard) {
  const BigButtonCommand& b = big_buttons()[big_focus_];
  run(by_keyboard ? b.enter : b.click);
}

bool MainWindow::event(QEvent* e) {
  // Tab moves the big-button highlight; it must not walk the focus chain.
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Tab && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      move_big_focus((big_focus_ + 1) % 4);
      return true;
    }
    if (k->key() == Qt::Key_Backtab) {
      move_big_focus((big_focus_ + 3) % 4);
      return true;
    }
  }
  return QMainWindow::event(e);
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
  int row = big_focus_ / 2, col = big_focus_ % 2;
  switch (e->key()) {
    case Qt::Key_Left: col = 0; break;
    case Qt::Key_Right: col = 1; break;
    case Qt::Key_Up: row = 0; break;
    case Qt::Key_Down: row = 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: run_big_button(true); return;
    default: QMainWindow::keyPressEvent(e); return;
  }
  move_big_focus(row * 2 + col);
}

void MainWindow::closeEvent(QCloseEvent* e) {
  e->accept();
  if (quitting_) return;
  quitting_ = true;
  Q_EMIT quit_requested();
}

}  // namespace kelvo::shell
