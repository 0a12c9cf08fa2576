#pragma once
// The item screen: "NEW ITEM" for new films, "Amend film" for a found one or a refused new one.
// It shows a FilmForm, lets the operator edit it and writes the boxes back on any button but
// Cancel.
#include <array>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "catalogue/film_maintenance.h"

namespace kelvo::catalogue {

class FilmFormScreen : public QDialog {
  Q_OBJECT
 public:
  FilmFormScreen(const records::ConfigBlock& config, FilmForm& form, QWidget* parent = nullptr);
  // Runs the screen; the button that ended it.
  FormButton run();
  QLineEdit* box(FilmField f) const { return boxes_[static_cast<size_t>(f)]; }

 private:
  void finish(FormButton button);
  void store();

  FilmForm& form_;
  std::array<QLineEdit*, kFilmFieldCount> boxes_{};
  std::array<QComboBox*, 3> purchased_{};
  std::array<QComboBox*, 3> last_rental_{};
  FormButton button_ = FormButton::Cancel;
};

// The item screen as the film commands need it.
class QtFilmFormView : public FilmFormView {
 public:
  QtFilmFormView(QWidget* parent, const records::ConfigBlock& config) : parent_(parent), config_(config) {}
  FormButton edit(FilmForm& form) override;

 private:
  QWidget* parent_;
  const records::ConfigBlock& config_;
};

}  // namespace kelvo::catalogue
