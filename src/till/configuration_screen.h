#pragma once
// "Configuration": the property sheet of the shop's general, band, receipt, cash drawer and
// pole display settings. The sheet is given its pages, so a page built elsewhere (the receipt
// settings) takes its place among them without the sheet knowing it.
#include <functional>
#include <vector>

#include <QDialog>
#include <QString>

class QTabWidget;

namespace kelvo::till {

struct ConfigurationPage {
  QString title;
  QWidget* widget = nullptr;     // taken over by the sheet
  std::function<void()> apply;   // stores the page's values into the block
};

class ConfigurationScreen : public QDialog {
  Q_OBJECT
 public:
  explicit ConfigurationScreen(std::vector<ConfigurationPage> pages, QWidget* parent = nullptr);
  // OK: every page stores its values, in the order of the tabs. Cancel calls nothing.
  void apply_pages() const;
  QTabWidget* tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_;
  std::vector<std::function<void()>> applies_;
};

}  // namespace kelvo::till
