#pragma once
// Reading printed PDFs back with real tools: poppler's pdftotext, pdfinfo and pdftoppm, and
// zbar's zbarimg for the barcodes on the rasterised pages.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

namespace kelvo::testing {

inline QString run_tool(const QString& program, const QStringList& args, bool any_exit = false) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(120000) || (!any_exit && p.exitCode() != 0)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The pages of the PDF as laid-out text, one string per page.
inline QStringList pdf_pages(const QString& pdf) {
  QStringList pages = run_tool("pdftotext", {"-layout", pdf, "-"}).split(QChar('\f'));
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

inline QString pdf_info(const QString& pdf, const QString& key) {
  const QString out = run_tool("pdfinfo", {pdf});
  const auto m = QRegularExpression("^" + key + ":\\s*(.*)$", QRegularExpression::MultilineOption).match(out);
  return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

// Every barcode zbarimg reads on the pages, as "TYPE:data", sorted.
inline QStringList decoded_barcodes(const QString& pdf, int dpi = 300) {
  QTemporaryDir dir;
  run_tool("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", pdf, dir.filePath("page")});
  QStringList pngs;
  for (const QString& f : QDir(dir.path()).entryList({"*.png"}, QDir::Files)) pngs << dir.filePath(f);
  if (pngs.isEmpty()) return {};
  QStringList codes = run_tool("zbarimg", QStringList{"-q"} + pngs, true).split('\n', Qt::SkipEmptyParts);
  std::sort(codes.begin(), codes.end());
  return codes;
}

}  // namespace kelvo::testing
