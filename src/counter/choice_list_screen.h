#pragma once
// The shape every settlement choice screen shares: some facts at the top, a column of radio
// buttons, OK and Cancel. OK with nothing selected counts as Cancel, as it always has.
#include <optional>
#include <vector>

#include <QButtonGroup>
#include <QDialog>
#include <QFormLayout>
#include <QRadioButton>

namespace kelvo::counter::qt {

struct ChoiceItem {
  const char* object_name;
  QString text;
  bool hidden = false;
};

class ChoiceListScreen : public QDialog {
  Q_OBJECT
 public:
  // `preselected` is the index into `items` checked at opening, -1 for none.
  ChoiceListScreen(const QString& title, const char* object_name, const std::vector<ChoiceItem>& items,
                   int preselected, QWidget* parent = nullptr);
  // The index of the checked choice after OK; nullopt after Cancel or with nothing checked.
  std::optional<int> chosen() const;
  QRadioButton* choice(int index) const { return buttons_[static_cast<size_t>(index)]; }

 protected:
  // Rows of label and value above the choices.
  QFormLayout* facts() const { return facts_; }
  void add_fact(const char* object_name, const QString& label, const QString& value);

 private:
  QFormLayout* facts_ = nullptr;
  QButtonGroup* group_ = nullptr;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace kelvo::counter::qt
