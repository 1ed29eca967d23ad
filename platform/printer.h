// The printer: the print server's printers followed by a PDF-file printer, one of them
// current, drawn on as a Surface (its Width and Height are the paper's, in twips).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/textfile.h"

class QPaintDevice;
class QPdfWriter;
class QPrinter;
class QPainter;

namespace plat {

class FileReplacement;

// The name under which the PDF-file printer appears in every printer list.
inline const std::string kPdfPrinterName = "PDF file";

// The printers installed on this machine, always ending with the PDF-file printer.
std::vector<std::string> PrinterNames();

class PrinterSurface : public Surface {
 public:
  PrinterSurface();
  ~PrinterSurface() override;

  // Chooses the printer by name (one of PrinterNames()); false when there is none such.
  bool setDeviceName(const std::string& name);
  const std::string& deviceName() const { return name_; }
  bool isPdf() const { return name_ == kPdfPrinterName; }
  // Where the PDF-file printer writes its document.
  void setOutputFile(const std::string& path);
  std::string outputFile() const;
  // The document's title (UTF-8), which a PDF file carries for its reader to show.
  void setDocName(const std::string& title);

  enum class Orientation { Portrait = 1, Landscape = 2 };
  void setOrientation(Orientation o);
  // Paper size in millimetres (A4 unless the printer says otherwise).
  double paperWidthMm() const;
  double paperHeightMm() const;

  // Ends the current sheet; the next drawing goes on a new one.
  void newPage();
  // Starts the document's first sheet (or the one newPage asked for) even when nothing is
  // drawn on it, so that a blank page prints as a page. False when the printer refuses.
  bool startPage() { return beginPage() != nullptr; }
  // Ends the document and hands it to the printer (or writes the PDF file).
  // False when nothing could be printed.
  bool endDoc();
  // Drops the document without printing.
  void killDoc();
  // Why the PDF file of the last document could not be written (number 0 when it was, or
  // when the printer is no PDF-file printer).
  const FileError& outputError() const { return outputError_; }

  double deviceWidth() const override;
  double deviceHeight() const override;
  double twipsPerPixelX() const override;
  double twipsPerPixelY() const override;
  double width() const override;   // paper width in twips
  double height() const override;  // paper height in twips
  bool isPrinter() const override { return true; }

  QPrinter* qprinter() { return printer_.get(); }

 protected:
  void devClear(Color back) override;
  void devLine(double x1, double y1, double x2, double y2, Color c, double penPx) override;
  void devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled, Color fill) override;
  void devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                  Color fill) override;
  void devText(double x, double y, const std::u16string& text, const FontSpec& font, Color c) override;
  double devTextWidth(const std::u16string& text, const FontSpec& font) override;
  FontMetrics devMetrics(const FontSpec& font) override;
  void devPicture(const Picture& pic, double x, double y, double w, double h) override;

 private:
  class Device;
  QPainter* beginPage();
  QPaintDevice* target();
  void dropOutput();
  std::unique_ptr<QPrinter> printer_;
  // The PDF-file printer's document goes through the file writer, which tells when the
  // file could not be written and leaves no part of it behind.
  std::unique_ptr<FileReplacement> pdfFile_;
  std::unique_ptr<QPdfWriter> pdf_;
  FileError outputError_;
  std::unique_ptr<Device> device_;
  QPainter* painter_ = nullptr;
  std::string name_;
  std::string outputFile_;
  bool pendingNewPage_ = false;
  bool ok_ = true;
};

}  // namespace plat
