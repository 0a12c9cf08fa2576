#include "catalogue/list_window_screen.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace kelvo::catalogue {

using platform::qt::qs;

namespace {
constexpr int kCellLimit = 119;  // characters a cell holds
}

ListWindowScreen::ListWindowScreen(const QString& title, const std::vector<ListRow>& rows, bool more_left,
                                   QWidget* parent)
    : QDialog(parent) {
  setObjectName("list_window");
  setWindowTitle(title);
  auto* outer = new QVBoxLayout(this);
  auto* heading = new QLabel(title, this);
  heading->setObjectName("title");
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 2);
  heading->setFont(bold);
  outer->addWidget(heading);

  table_ = new QTableWidget(kListRows, 4, this);
  table_->setObjectName("rows");
  table_->horizontalHeader()->hide();
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setShowGrid(false);
  table_->setAlternatingRowColors(true);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Rows past the end of the list stay empty: the page shows only what is left.
  for (int r = 0; r < kListRows; ++r)
    for (int c = 0; c < 4; ++c) {
      const QString cell = r < static_cast<int>(rows.size()) ? qs(rows[r][c]).left(kCellLimit) : QString();
      table_->setItem(r, c, new QTableWidgetItem(cell));
    }
  table_->resizeColumnsToContents();
  table_->setColumnWidth(0, std::max(table_->columnWidth(0), 110));
  table_->setColumnWidth(1, std::max(table_->columnWidth(1), 260));
  table_->setColumnWidth(2, std::max(table_->columnWidth(2), 160));
  table_->horizontalHeader()->setStretchLastSection(true);
  const int row_height = table_->verticalHeader()->defaultSectionSize();
  table_->setFixedHeight(row_height * kListRows + 2 * table_->frameWidth());
  table_->setMinimumWidth(760);
  outer->addWidget(table_);

  auto* buttons = new QDialogButtonBox(this);
  more_ = buttons->addButton(tr("More"), QDialogButtonBox::ActionRole);
  more_->setObjectName("more");
  more_->setEnabled(more_left);
  more_->setDefault(more_left);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setDefault(!more_left);  // Enter closes a list that has nothing more to show
  cancel->setObjectName("cancel");
  connect(more_, &QPushButton::clicked, this, [this] { answer_ = ListAnswer::More; accept(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  outer->addWidget(buttons);
}

ListAnswer ListWindowScreen::run() {
  answer_ = ListAnswer::Cancel;
  exec();
  return answer_;
}

}  // namespace kelvo::catalogue
