#pragma once
// The list commands' screens drawn with Qt: the list window, the progress window, the printer
// (or PDF files under KELVO_PRINT_TO_PDF), the "ps2" range and the "Transaction" screen.
#include "records/shop.h"

#include <QWidget>

#include "catalogue/list_screens.h"
#include "catalogue/qt_catalogue_views_screen.h"
#include "catalogue/transaction_screen.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_progress.h"

namespace kelvo::reports {

class QtListScreens : public catalogue::ListScreens {
 public:
  QtListScreens(QWidget* parent, records::Shop& shop);
  catalogue::CatalogueViews& views() override { return views_; }
  platform::Progress& progress() override { return progress_; }
  catalogue::HistoryViews& history() override { return history_; }
  platform::Printer& printer() override { return printer_; }
  std::optional<catalogue::TypedRange> number_range() override;

 private:
  // The progress window makes way whenever a page of the list is shown.
  class PagedViews : public catalogue::QtCatalogueViews {
   public:
    PagedViews(QWidget* parent, records::Shop& shop, platform::Progress& progress)
        : QtCatalogueViews(parent, shop), progress_(progress) {}
    catalogue::ListAnswer show_list_page(text::u16view title, const std::vector<catalogue::ListRow>& rows,
                                         bool more_left) override {
      progress_.finish();
      return QtCatalogueViews::show_list_page(title, rows, more_left);
    }

   private:
    platform::Progress& progress_;
  };

  QWidget* parent_;
  platform::qt::QtProgress progress_;
  PagedViews views_;
  catalogue::QtHistoryViews history_;
  platform::qt::QtPrinter printer_;
};

}  // namespace kelvo::reports
