#pragma once
// The "General" page of the Configuration window: rental period, return deadline, format
// names, till total, item limit, the 18 categories, the counter's options and the overdue
// print detail.
#include <array>

#include <QWidget>

#include "till/configuration_settings.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kelvo::till {

class GeneralPage : public QWidget {
  Q_OBJECT
 public:
  explicit GeneralPage(records::ConfigBlock& config, QWidget* parent = nullptr);
  GeneralSettings settings() const;
  void apply() { settings().store(config_); }

 private:
  QWidget* build_fields(const GeneralSettings& s);
  QWidget* build_categories(const GeneralSettings& s);
  QWidget* build_options(const GeneralSettings& s);
  QWidget* build_overdue_detail(const GeneralSettings& s);

  records::ConfigBlock& config_;
  QLineEdit *rental_days_ = nullptr, *deadline_ = nullptr, *format1_ = nullptr, *format2_ = nullptr;
  QLineEdit *till_total_ = nullptr, *items_ = nullptr;
  std::array<QLineEdit*, records::cfg::kCategoryCount> categories_{};
  QCheckBox *cash_tendered_ = nullptr, *member_list_ = nullptr, *charge_per_day_ = nullptr;
  QCheckBox *select_all_ = nullptr, *auto_offer_ = nullptr, *sundry_by_list_ = nullptr;
  std::array<QRadioButton*, 4> details_{};
};

}  // namespace kelvo::till
