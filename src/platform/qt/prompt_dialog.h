#pragma once
// The one-line prompt dialog (EDITBOX) and its variants: EDIT4BOX adds "Case sensitive",
// EDIT2BOX adds that box and the field "First name (not required)".
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include "platform/operator.h"

class QListWidget;

namespace kelvo::platform::qt {

class PromptDialog : public QDialog {
  Q_OBJECT
 public:
  PromptDialog(const QString& question, const PromptOptions& options, QWidget* parent = nullptr);
  PromptAnswer answer() const;

 private:
  QLineEdit* edit_ = nullptr;
  QCheckBox* case_box_ = nullptr;
  QLineEdit* first_name_ = nullptr;
};

// The "Please select:" list; the chosen row stays selected when the dialog closes.
class ChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  ChoiceDialog(const QString& caption, const QStringList& rows, int preselected, QWidget* parent = nullptr);
  int chosen() const;

 private:
  QListWidget* list_ = nullptr;
};

}  // namespace kelvo::platform::qt
