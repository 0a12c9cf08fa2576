#pragma once
// Pages of the core drawn with QPainter on a QPrinter: a system printer through CUPS, the
// default printer, or a PDF file. Device units are the printer's resolution (dots).
//
// KELVO_PRINT_TO_PDF=<folder> turns every document into a PDF file in that folder, named
// after the document with a running number (QUENDRIX-001.pdf, ...), without any dialog.
#include <functional>
#include <memory>

#include <QFont>
#include <QPainter>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/printer.h"

class QPrinter;

namespace kelvo::platform::qt {

class QtPrinter : public Printer {
 public:
  // The print dialog, given the printer to set up; false when the operator cancelled it.
  using Dialog = std::function<bool(QPrinter&)>;

  explicit QtPrinter(QWidget* dialog_parent = nullptr);
  ~QtPrinter() override;

  // Every following document goes to this one PDF file (empty: back to printers).
  void print_to_pdf_file(const QString& path) { pdf_file_ = path; }
  // Replaces the system print dialog (tests).
  void set_dialog(Dialog dialog) { dialog_ = std::move(dialog); }
  // The PDF file the last document went to, if it went to one.
  QString last_pdf() const { return last_pdf_; }

  std::vector<text::u16> installed_printers() override;
  PrintStart begin(text::u16view doc_name, const PrintDestination& where) override;
  bool end() override;
  void abort() override;
  void new_page() override;
  int page_width() const override;
  int page_height() const override;
  int char_height() const override { return char_height_; }
  int char_width() const override { return char_width_; }
  int text_width(text::u16view s) const override;
  int dots_per_inch() const override;
  void set_font(FontSize size) override;
  void text(int x, int y, text::u16view s, Align align = Align::Left) override;
  bool image(int x, int y, int w, int h, const std::string& path) override;
  void fill_rect(int x, int y, int w, int h) override;
  std::optional<ImageSize> image_size(const std::string& path) const override;

 private:
  bool to_pdf() const;
  QString next_pdf_path(const QString& doc_name) const;
  void apply_font();

  QPointer<QWidget> parent_;
  Dialog dialog_;
  QString pdf_file_;
  QString last_pdf_;
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  FontSize size_;
  QFont font_;
  int char_height_ = 0;
  int char_width_ = 0;
  int ascent_ = 0;
};

}  // namespace kelvo::platform::qt
