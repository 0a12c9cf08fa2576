#include "platform/qt/qt_printer.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/qt/qt_text.h"

namespace kelvo::platform::qt {

namespace {

// The size of the printer's own font when no lines-per-page value is set.
constexpr int kDefaultPointSize = 10;

bool show_print_dialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

QtPrinter::QtPrinter(QWidget* dialog_parent) : parent_(dialog_parent) {}

QtPrinter::~QtPrinter() {
  if (painter_.isActive()) painter_.end();
}

std::vector<text::u16> QtPrinter::installed_printers() {
  std::vector<text::u16> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(u16(name));
  return names;
}

bool QtPrinter::to_pdf() const {
  return !pdf_file_.isEmpty() || !qEnvironmentVariableIsEmpty("KELVO_PRINT_TO_PDF");
}

// The first free running number, so that earlier documents in the folder are never overwritten.
// Empty when the folder cannot be made.
QString QtPrinter::next_pdf_path(const QString& doc_name) const {
  if (!pdf_file_.isEmpty()) return pdf_file_;
  QDir dir(qEnvironmentVariable("KELVO_PRINT_TO_PDF"));
  if (!dir.exists() && !dir.mkpath(QStringLiteral("."))) return {};
  const QString base = doc_name.isEmpty() ? QStringLiteral("document") : doc_name;
  for (int n = 1; n < 100000; ++n) {
    const QString path = dir.filePath(QStringLiteral("%1-%2.pdf").arg(base).arg(n, 3, 10, QLatin1Char('0')));
    if (!QFileInfo::exists(path)) return path;
  }
  return {};
}

PrintStart QtPrinter::begin(text::u16view doc_name, const PrintDestination& where) {
  if (painter_.isActive()) return PrintStart::Failed;
  const QString name = qs(doc_name);
  last_pdf_.clear();

  if (to_pdf()) {
    last_pdf_ = next_pdf_path(name);
    if (last_pdf_.isEmpty()) return PrintStart::Failed;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(last_pdf_);
  } else if (!where.printer_name.empty()) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(qs(where.printer_name));
    if (info.isNull()) return PrintStart::Failed;
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  } else if (where.confirm) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const bool accepted = dialog_ ? dialog_(*printer_) : show_print_dialog(*printer_, parent_);
    if (!accepted) {
      printer_.reset();
      return PrintStart::Cancelled;
    }
  } else {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return PrintStart::Failed;
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  }

  printer_->setDocName(name);
  printer_->setFullPage(false);
  if (!painter_.begin(printer_.get())) {
    printer_.reset();
    return PrintStart::Failed;
  }
  apply_font();
  return PrintStart::Started;
}

bool QtPrinter::end() {
  if (!printer_) return false;
  bool ok = painter_.isActive() && painter_.end();
  ok = ok && printer_->printerState() != QPrinter::Error;
  if (printer_->outputFormat() == QPrinter::PdfFormat)
    ok = ok && QFileInfo(printer_->outputFileName()).size() > 0;
  printer_.reset();
  return ok;
}

void QtPrinter::abort() {
  if (!printer_) return;
  if (painter_.isActive()) painter_.end();
  // A PDF that was abandoned is removed rather than left half-written; a printer job is
  // withdrawn from the spooler.
  if (printer_->outputFormat() == QPrinter::PdfFormat) QFile::remove(printer_->outputFileName());
  else printer_->abort();
  printer_.reset();
  last_pdf_.clear();
}

void QtPrinter::new_page() {
  if (!printer_ || !painter_.isActive()) return;
  printer_->newPage();
  painter_.setFont(font_);
}

int QtPrinter::page_width() const { return printer_ ? printer_->width() : 0; }
int QtPrinter::page_height() const { return printer_ ? printer_->height() : 0; }

int QtPrinter::dots_per_inch() const { return printer_ ? printer_->resolution() : 1200; }

int QtPrinter::text_width(text::u16view s) const {
  if (!printer_) return 0;
  return QFontMetrics(font_, printer_.get()).horizontalAdvance(qs(s));
}

void QtPrinter::set_font(FontSize size) {
  size_ = size;
  if (printer_) apply_font();
}

// A fixed-pitch font. With N lines to the page the cell is page height / N exactly, and the
// font is shrunk until its own line height fits inside that cell, so lines never overlap.
void QtPrinter::apply_font() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setStretch(QFont::Unstretched);
  const QPaintDevice* device = printer_.get();

  int cell = 0;
  if (size_.lines_per_page > 0) {
    cell = std::max(1, page_height() / size_.lines_per_page);
    font.setPixelSize(cell);
    const int natural = QFontMetrics(font, device).height();
    if (natural > cell) font.setPixelSize(std::max(1, cell * cell / natural));
    while (font.pixelSize() > 1 && QFontMetrics(font, device).height() > cell)
      font.setPixelSize(font.pixelSize() - 1);
  } else {
    font.setPointSize(kDefaultPointSize);
  }
  if (size_.columns_per_page > 0) {
    const int want = std::max(1, page_width() / size_.columns_per_page);
    const int natural = std::max(1, QFontMetrics(font, device).averageCharWidth());
    font.setStretch(std::clamp(100 * want / natural, 1, 4000));
  }

  font_ = font;
  const QFontMetrics metrics(font_, device);
  char_height_ = cell > 0 ? cell : metrics.height();
  char_width_ = std::max(1, metrics.averageCharWidth());
  ascent_ = metrics.ascent();
  if (painter_.isActive()) painter_.setFont(font_);
}

// The core gives the top of the character cell; QPainter wants the baseline.
void QtPrinter::text(int x, int y, text::u16view s, Align align) {
  if (!painter_.isActive()) return;
  const QString t = qs(s);
  if (align != Align::Left) {
    const int w = QFontMetrics(font_, printer_.get()).horizontalAdvance(t);
    x -= align == Align::Centre ? w / 2 : w;
  }
  painter_.drawText(QPoint(x, y + ascent_), t);
}

bool QtPrinter::image(int x, int y, int w, int h, const std::string& path) {
  const QImage img(QString::fromStdString(path));
  if (img.isNull() || img.width() == 0) return false;
  if (painter_.isActive()) painter_.drawImage(QRect(x, y, w, h), img);
  return true;
}

void QtPrinter::fill_rect(int x, int y, int w, int h) {
  if (painter_.isActive()) painter_.fillRect(QRect(x, y, w, h), Qt::black);
}

std::optional<ImageSize> QtPrinter::image_size(const std::string& path) const {
  const QSize size = QImageReader(QString::fromStdString(path)).size();
  if (!size.isValid() || size.width() <= 0 || size.height() <= 0) return std::nullopt;
  return ImageSize{size.width(), size.height()};
}

}  // namespace kelvo::platform::qt
