#include "platform/printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/painter_surface.h"

namespace plat {

std::vector<std::string> PrinterNames() {
  std::vector<std::string> names;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) names.push_back(Utf16ToCp1252(n.toStdU16String()));
  names.push_back(kPdfPrinterName);
  return names;
}

// The QPainter primitives, borrowed from the painter surface and aimed at the printer.
class PrinterSurface::Device : public PainterSurface {
 public:
  explicit Device(PrinterSurface& owner) : owner_(owner) {}
  double deviceWidth() const override { return owner_.deviceWidth(); }
  double deviceHeight() const override { return owner_.deviceHeight(); }
  using PainterSurface::devEllipse;
  using PainterSurface::devLine;
  using PainterSurface::devMetrics;
  using PainterSurface::devPicture;
  using PainterSurface::devRect;
  using PainterSurface::devText;
  using PainterSurface::devTextWidth;

 protected:
  void devClear(Color) override {}
  QPainter* painter() override { return owner_.beginPage(); }
  QPaintDevice* metricsDevice() override { return owner_.printer_.get(); }

 private:
  PrinterSurface& owner_;
};

PrinterSurface::PrinterSurface() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  device_ = std::make_unique<Device>(*this);
  printer_->setFullPage(true);
  printer_->setPageSize(QPageSize(QPageSize::A4));
  printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  const QPrinterInfo def = QPrinterInfo::defaultPrinter();
  setDeviceName(def.isNull() ? kPdfPrinterName : Utf16ToCp1252(def.printerName().toStdU16String()));
}

PrinterSurface::~PrinterSurface() { killDoc(); }

bool PrinterSurface::setDeviceName(const std::string& name) {
  if (name == kPdfPrinterName) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    name_ = name;
    return true;
  }
  const QString q = QString::fromStdU16String(Cp1252ToUtf16(name));
  if (!QPrinterInfo::availablePrinterNames().contains(q)) return false;
  printer_->setOutputFormat(QPrinter::NativeFormat);
  printer_->setPrinterName(q);
  name_ = name;
  return true;
}

void PrinterSurface::setOutputFile(const std::string& path) {
  printer_->setOutputFileName(QPath(path));
  // Kept as its bytes as well: the printer's copy is Qt's string, which turns a name that is
  // no UTF-8 into another one.
  outputFile_ = path;
}

std::string PrinterSurface::outputFile() const { return outputFile_; }

void PrinterSurface::setDocName(const std::string& title) { printer_->setDocName(QString::fromStdString(title)); }

void PrinterSurface::setOrientation(Orientation o) {
  printer_->setPageOrientation(o == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

double PrinterSurface::paperWidthMm() const { return printer_->pageLayout().fullRect(QPageLayout::Millimeter).width(); }
double PrinterSurface::paperHeightMm() const {
  return printer_->pageLayout().fullRect(QPageLayout::Millimeter).height();
}

double PrinterSurface::deviceWidth() const { return printer_->pageLayout().fullRectPixels(printer_->resolution()).width(); }
double PrinterSurface::deviceHeight() const {
  return printer_->pageLayout().fullRectPixels(printer_->resolution()).height();
}
double PrinterSurface::twipsPerPixelX() const { return 1440.0 / printer_->resolution(); }
double PrinterSurface::twipsPerPixelY() const { return 1440.0 / printer_->resolution(); }
double PrinterSurface::width() const { return paperWidthMm() / 25.4 * 1440.0; }
double PrinterSurface::height() const { return paperHeightMm() / 25.4 * 1440.0; }

QPaintDevice* PrinterSurface::target() {
  outputError_ = {};
  if (!isPdf()) return printer_.get();
  pdfFile_ = std::make_unique<FileReplacement>(outputFile());
  if (!pdfFile_->open()) {
    outputError_ = pdfFile_->error();
    pdfFile_.reset();
    return nullptr;
  }
  // The same page, resolution and metrics as the PDF-file printer, written to the file.
  pdf_ = std::make_unique<QPdfWriter>(pdfFile_->device());
  pdf_->setPdfVersion(QPagedPaintDevice::PdfVersion_1_4);
  pdf_->setResolution(printer_->resolution());
  pdf_->setPageLayout(printer_->pageLayout());
  pdf_->setCreator(printer_->creator());
  pdf_->setTitle(printer_->docName());
  return pdf_.get();
}

void PrinterSurface::dropOutput() {
  pdf_.reset();
  pdfFile_.reset();
}

QPainter* PrinterSurface::beginPage() {
  if (!painter_) {
    if (!ok_) return nullptr;
    QPaintDevice* device = target();
    auto* p = new QPainter;
    if (!device || !p->begin(device)) {
      delete p;
      dropOutput();
      ok_ = false;
      return nullptr;
    }
    p->setRenderHint(QPainter::Antialiasing, true);
    painter_ = p;
    pendingNewPage_ = false;
  } else if (pendingNewPage_) {
    if (pdf_) {
      pdf_->newPage();
    } else {
      printer_->newPage();
    }
    pendingNewPage_ = false;
  }
  return painter_;
}

void PrinterSurface::newPage() {
  if (painter_) pendingNewPage_ = true;
}

bool PrinterSurface::endDoc() {
  bool printed = painter_ != nullptr && ok_;
  if (painter_) {
    painter_->end();
    delete painter_;
    painter_ = nullptr;
  }
  if (pdfFile_) {
    pdf_.reset();
    if (printed && !pdfFile_->commit()) {
      outputError_ = pdfFile_->error();
      printed = false;
    }
    pdfFile_.reset();
  }
  pendingNewPage_ = false;
  ok_ = true;
  return printed;
}

void PrinterSurface::killDoc() {
  if (painter_) {
    if (!pdf_) printer_->abort();
    painter_->end();
    delete painter_;
    painter_ = nullptr;
  }
  dropOutput();
  pendingNewPage_ = false;
  ok_ = true;
}

void PrinterSurface::devClear(Color) {}
void PrinterSurface::devLine(double x1, double y1, double x2, double y2, Color c, double penPx) {
  device_->devLine(x1, y1, x2, y2, c, penPx);
}
void PrinterSurface::devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled,
                             Color fill) {
  device_->devRect(x, y, w, h, pen, penPx, filled, fill);
}
void PrinterSurface::devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                                Color fill) {
  device_->devEllipse(cx, cy, rx, ry, pen, penPx, filled, fill);
}
void PrinterSurface::devText(double x, double y, const std::u16string& text, const FontSpec& font, Color c) {
  device_->devText(x, y, text, font, c);
}
double PrinterSurface::devTextWidth(const std::u16string& text, const FontSpec& font) {
  return device_->devTextWidth(text, font);
}
FontMetrics PrinterSurface::devMetrics(const FontSpec& font) { return device_->devMetrics(font); }
void PrinterSurface::devPicture(const Picture& pic, double x, double y, double w, double h) {
  device_->devPicture(pic, x, y, w, h);
}

}  // namespace plat
