#pragma once
// "Mailmerge": the member range, the selection and the body of the letter, which can be saved
// to and loaded from a file of the operator's choosing, then one page per member.
#include <functional>

#include <QDialog>
#include <QString>

#include "platform/printer.h"
#include "records/shop.h"
#include "reports/mail_merge.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace kelvo::reports {

class MailMergeScreen : public QDialog {
 public:
  // The file to save to (true) or load from (false); empty when the operator cancelled.
  using FileChooser = std::function<QString(bool save)>;

  MailMergeScreen(records::Shop& shop, platform::Printer& printer, QWidget* parent);
  void set_file_chooser(FileChooser chooser) { choose_file_ = std::move(chooser); }
  // What the last print did (tests and the activity pane).
  const MergeRun& last_run() const { return last_run_; }

 private:
  std::optional<MailMerge> read_fields();
  void save();
  void load();
  void print();

  records::Shop& shop_;
  platform::Printer& printer_;
  FileChooser choose_file_;
  QLineEdit* start_;
  QLineEdit* end_;
  QRadioButton* selections_[3];
  QPlainTextEdit* body_;
  MergeRun last_run_;
};

}  // namespace kelvo::reports
