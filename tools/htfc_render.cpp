// htfc-render INPUT OUTPUT [--zoom Z] [--report] [--pages] [--title TEXT]
//
// Typesets a mark-up file (Windows-1252) with the viewer's engine, for checking the engine
// from outside. OUTPUT ending in .png: the page as the viewer's page picture draws it at the
// zoom (default 1). OUTPUT ending in .pdf: the page as the printer prints it, through the
// PDF-file printer (paper ignores the view zoom, as in the viewer). --report prints one JSON
// object: BloqueCorte and the section marks of the page.
//
// --pages (PDF only): the whole text on as many pages as it needs, as the viewer pages and
// prints a long view: the text is cut into blocks after every line break (a run of line
// breaks staying with its block), each block opened by its section mark, the blocks placed on
// pages by trial rendering on the viewer's page picture at 100 %, and every page printed with
// its number at the foot. The build typesets the programs' manuals this way.
//
// --title (PDF only): the title the PDF file carries (UTF-8), which a PDF reader shows in
// place of the file's name.
#include <QApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/encoding.h"
#include "platform/image_surface.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/textfile.h"
#include "viewer/document/page_blocks.h"
#include "viewer/document/pagination.h"
#include "viewer/engine/htfc_engine.h"

namespace {

// The viewer's page picture at 100 %, in pixels.
constexpr int kPageWidthPx = 796;
constexpr int kPageHeightPx = 1125;
constexpr double kTextSize = 12;
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 8;

int Usage() {
  std::fprintf(stderr, "usage: htfc-render INPUT OUTPUT(.png|.pdf) [--zoom Z] [--report] [--pages] [--title TEXT]\n");
  return 1;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  if (s.size() < tail.size()) return false;
  std::string end = s.substr(s.size() - tail.size());
  for (char& ch : end) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
  return end == tail;
}

std::string Number(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4f", std::isfinite(v) ? v : 0.0);
  return buf;
}

using stagora::engine::EngineState;
using stagora::engine::ViewerValues;
using stagora::viewer::PageBlock;
using stagora::viewer::SectionMark;

void PrintReport(const EngineState& s) {
  std::string json = "{\"BloqueCorte\": " + std::to_string(s.BloqueCorte) + ", \"marks\": [";
  for (long k = 0; k < s.NumMarcas; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (k > 0) json += ", ";
    json += "{\"top\": " + Number(s.MarcaArriba[i]) + ", \"bottom\": " + Number(s.MarcaAbajo[i]) +
            ", \"selected\": " + (s.MarcaSeleccionada[i] ? "true" : "false") +
            ", \"page\": " + std::to_string(s.MarcaPagina[i]) + "}";
  }
  json += "]}\n";
  std::fputs(json.c_str(), stdout);
}

bool RenderPicture(const std::string& text, const std::string& output, EngineState& s, ViewerValues& v) {
  plat::ImageSurface page(static_cast<int>(std::lround(kPageWidthPx * v.Zoom)),
                          static_cast<int>(std::lround(kPageHeightPx * v.Zoom)));
  page.cls();
  v.DestinoPantalla = &page;
  double size = kTextSize * v.Zoom;
  stagora::engine::DibujarHTFC(text, size, page, s, v);
  v.DestinoPantalla = nullptr;
  return page.savePng(output);
}

bool RenderPaper(const std::string& text, const std::string& output, const std::string& title, EngineState& s,
                 ViewerValues& v) {
  plat::PrinterSurface printer;
  printer.setDeviceName(plat::kPdfPrinterName);
  printer.setOutputFile(output);
  printer.setDocName(title);
  printer.setOrientation(plat::PrinterSurface::Orientation::Portrait);
  printer.setScaleMode(plat::ScaleMode::Twips);
  printer.setFillStyle(plat::kFillSolid);
  v.DestinoImpresora = &printer;
  v.Zoom = 1.0;
  double size = kTextSize;
  stagora::engine::DibujarHTFC(text, size, printer, s, v);
  v.DestinoImpresora = nullptr;
  // A page the engine draws nothing on (an empty document, or one whose first line is taller
  // than the page) is a blank page, as the picture is; only a file that cannot be written fails.
  if (!printer.startPage()) {
    printer.killDoc();
    return false;
  }
  return printer.endDoc();
}

// The blocks of a whole text: cut after every line break, a run of line breaks staying with
// the block it ends, each block opened by its section mark.
std::vector<PageBlock> TextBlocks(std::string_view w) {
  constexpr std::string_view kLineBreak = "&LF";
  std::vector<PageBlock> blocks;
  while (!w.empty()) {
    std::size_t end = w.find(kLineBreak);
    end = end == std::string_view::npos ? w.size() : end + kLineBreak.size();
    while (w.substr(end).starts_with(kLineBreak)) end += kLineBreak.size();
    blocks.push_back({std::string(w.substr(0, end)), 0});
    w.remove_prefix(end);
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) blocks[i].Text = SectionMark(i + 1) + blocks[i].Text;
  return blocks;
}

// As the viewer prints a page number: Times New Roman 11, centred between the margins, its
// foot on the bottom margin.
void PrintPageNumber(plat::Surface& target, long page, const EngineState& s) {
  plat::FontSpec font;
  font.name = "Times New Roman";
  font.size = 11;
  target.setFont(font);
  target.setForeColor(plat::Rgb(0, 0, 0));
  const std::string number = std::to_string(page);
  const double W = target.scaleWidth();
  target.setCurrentX((W - s.MargenDer - s.MargenIzq) / 2 + s.MargenIzq - target.textWidth(number) / 2);
  target.setCurrentY(target.scaleHeight() - s.MargenInf - target.textHeight(number));
  target.print(number);
}

// Returns the page count, 0 when the PDF cannot be written.
long RenderPages(const std::string& text, const std::string& output, const std::string& title, EngineState& s,
                 ViewerValues& v) {
  std::vector<PageBlock> blocks = TextBlocks(text);
  plat::ImageSurface picture(kPageWidthPx, kPageHeightPx);
  picture.setScaleMode(plat::ScaleMode::Twips);
  v.Zoom = 1.0;
  const auto trial = [&](const std::string& page) -> long {
    picture.cls();
    v.DestinoPantalla = &picture;
    double size = kTextSize;
    stagora::engine::DibujarHTFC(page, size, picture, s, v);
    v.DestinoPantalla = nullptr;
    return s.BloqueCorte;
  };
  const long pages = stagora::viewer::PlaceBlocksOnPages(blocks, trial);

  plat::PrinterSurface printer;
  printer.setDeviceName(plat::kPdfPrinterName);
  printer.setOutputFile(output);
  printer.setDocName(title);
  printer.setOrientation(plat::PrinterSurface::Orientation::Portrait);
  for (long k = 1; k <= pages; ++k) {
    if (k > 1) printer.newPage();
    printer.setScaleMode(plat::ScaleMode::Twips);
    printer.setFillStyle(plat::kFillSolid);
    v.DestinoImpresora = &printer;
    double size = kTextSize;
    stagora::engine::DibujarHTFC(stagora::viewer::PageText(blocks, k), size, printer, s, v);
    v.DestinoImpresora = nullptr;
    PrintPageNumber(printer, k, s);
  }
  if (!printer.startPage()) {
    printer.killDoc();
    return 0;
  }
  return printer.endDoc() ? pages : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  QApplication app(argc, argv);

  std::string input, output;
  double zoom = 1.0;
  bool report = false;
  bool pages = false;
  std::string title;
  for (int k = 1; k < argc; ++k) {
    const std::string arg = argv[k];
    if (arg == "--report") {
      report = true;
    } else if (arg == "--pages") {
      pages = true;
    } else if (arg == "--title" && k + 1 < argc) {
      title = argv[++k];
    } else if (arg == "--zoom" && k + 1 < argc) {
      char* end = nullptr;
      zoom = std::strtod(argv[++k], &end);
      if (end == argv[k] || *end != '\0' || !(zoom >= kMinZoom && zoom <= kMaxZoom)) {
        std::fprintf(stderr, "htfc-render: the zoom must be a number from %g to %g\n", kMinZoom, kMaxZoom);
        return 1;
      }
    } else if (input.empty()) {
      input = arg;
    } else if (output.empty()) {
      output = arg;
    } else {
      return Usage();
    }
  }
  if (input.empty() || output.empty()) return Usage();
  const bool pdf = EndsWith(output, ".pdf");
  if (!pdf && !EndsWith(output, ".png")) {
    std::fprintf(stderr, "htfc-render: OUTPUT must end in .png or .pdf\n");
    return 1;
  }

  if (pages && !pdf) {
    std::fprintf(stderr, "htfc-render: --pages writes a PDF: OUTPUT must end in .pdf\n");
    return 1;
  }

  plat::FileError err;
  const std::optional<std::string> text = plat::ReadTextFile(input, &err);
  if (!text) {
    std::fprintf(stderr, "htfc-render: cannot read %s: %s\n", input.c_str(), plat::Cp1252ToUtf8(err.description).c_str());
    return 1;
  }

  EngineState state;
  ViewerValues viewer;
  // Images are looked for where the viewer looks: img/ beside the program, then the scratch folder.
  viewer.TempPath = plat::ComputeTempPath();
  stagora::engine::InitHTFC(state, viewer);
  viewer.Zoom = zoom;
  long pageCount = 1;
  if (pages) pageCount = RenderPages(*text, output, title, state, viewer);
  const bool written = pages ? pageCount > 0
                       : pdf ? RenderPaper(*text, output, title, state, viewer)
                             : RenderPicture(*text, output, state, viewer);
  if (!written) {
    std::fprintf(stderr, "htfc-render: cannot write %s\n", output.c_str());
    return 2;
  }
  if (report) PrintReport(state);
  if (pages && !report) std::printf("%s: %ld page(s)\n", output.c_str(), pageCount);
  return 0;
}
