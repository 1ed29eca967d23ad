// The viewer's pages: the worked solution of the designer's start design, with its diagram
// image, opened in each of the four views (read, blocks built, paginated by trial rendering,
// page 1 drawn). Target: under 50 ms a view. Beside it, a 999-block view paginated, and one
// page drawn with and without a picture, the picture decoded once for the document.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/language_table.h"
#include "designer/calculation/design_calculation.h"
#include "designer/calculation/result_tables.h"
#include "designer/calculation/result_texts.h"
#include "designer/diagram/diagram.h"
#include "designer/report/worked_solution.h"
#include "platform/image_surface.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/textfile.h"
#include "viewer/app/engine_bridge.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace {

namespace fs = std::filesystem;
using namespace stagora;
using namespace stagora::viewer;

constexpr int kDiagramPx = 700;  // the report's hidden diagram picture
constexpr int kJpegQuality = 95;
const char* const kImageName = "stgr_temp100001.jpg";

struct Fixture {
  std::string folder;
  std::string worked;      // the worked solution as the designer hands it over
  std::string longView;    // a resolution long enough for 999 blocks
  std::string withPicture, withoutPicture;
  FormMain* form = nullptr;
};

std::string Document(const std::string& statement, const std::string& answer, const std::string& level1,
                     const std::string& level2) {
  return "#DEC(.#DEC)\r\n\r\n#ENU(" + statement + "#ENU)\r\n\r\n#SOL(" + answer + "#SOL)\r\n\r\n#RS1(" + level1 +
         "#RS1)\r\n\r\n#RS2(" + level2 + "#RS2)";
}

std::string Write(const std::string& folder, const std::string& name, const std::string& bytes) {
  const std::string path = folder + "/" + name;
  if (!plat::WriteTextFile(path, bytes)) std::abort();
  return path;
}

// The start design calculated, its diagram saved as the report's JPEG, and the worked
// solution written as a result document.
std::string WorkedSolutionDocument(const std::string& scratch, const std::string& folder) {
  DesignInput calc;
  calc.fields = DesignFields{"2", "0.5", "0.46", "0.85", "0.17", "3", "1"};
  const DesignResult r = CalculateDesign(calc);
  if (!r.ok()) std::abort();
  const EquilibriumModel equilibrium = EquilibriumModelOf(r, nullptr);

  LanguageTable mai("MAI");
  plat::ImageSurface picture(kDiagramPx, kDiagramPx);
  picture.cls();
  DiagramDrawing diagram(picture, DiagramTarget::kReport);
  DiagramTexts texts{mai.GetL_win("Enrich_op_line"), mai.GetL_win("Exhaus_op_line"), mai.GetL_win("q_line"), "x",
                     "y"};
  diagram.DrawBackground(".");
  diagram.DrawPointMarks(r, texts);
  diagram.DrawEquilibriumCurve(equilibrium);
  diagram.DrawConstruction(r, texts);
  if (!picture.image().save(QString::fromStdString(scratch + "/" + kImageName), "JPG", kJpegQuality)) std::abort();

  ReportInput in;
  in.Text1 = calc.fields.Text1;
  in.Text2 = calc.fields.Text2;
  in.Text3 = calc.fields.Text3;
  in.Text4 = calc.fields.Text4;
  in.Text5 = calc.fields.Text5;
  in.Text6 = calc.fields.Text6;
  in.Text15 = calc.fields.Text15;
  const ResultTexts t = MakeResultTexts(r);
  in.Text7 = t.Text7;
  in.Text8 = t.Text8;
  in.Text9 = t.Text9;
  in.Text10 = t.Text10;
  in.Text11 = t.Text11;
  in.Text12 = t.Text12;
  in.Text13 = t.Text13;
  in.Text14 = t.Text14;
  in.feedStateCaption = "Liquid and vapour";
  in.PendienteMin = r.reflux.PendienteMin;
  in.NumPlatosTeor = r.NumPlatosTeor;
  const ResultTables tables = MakeResultTables(r, equilibrium);
  in.TablaELV_TXT = tables.TablaELV_TXT;
  in.TablaPlatos_TXT = tables.TablaPlatos_TXT;
  in.TablaELV_HTFC = tables.TablaELV_HTFC;
  in.TablaPlatos_HTFC = tables.TablaPlatos_HTFC;
  in.GetL_win = [mai](const std::string& key) { return mai.GetL_win(key); };
  const std::optional<WorkedSolution> w = MakeWorkedSolution(in, kImageName);
  if (!w) std::abort();
  return Write(folder, "restemp100001.rex", Document(w->statement, w->answer, w->level1, w->level2));
}

Fixture& Setup() {
  static Fixture f = [] {
    Fixture x;
    x.folder = (fs::temp_directory_path() / ("stagora-bench-viewer-" + std::to_string(::getpid()))).string();
    fs::create_directories(plat::ScratchFolderOf(x.folder + "/tmp"));
    plat::SetSettingsFolder(x.folder + "/settings");
    // The worked solution's sentences and the view's headings come from the language files.
    const std::string program = plat::ExecutableFolder() + "/../program";
    if (!fs::exists(program + "/lang/ENG_WIN_MAI.lmo")) std::abort();
    plat::SetProgramFolder(program);
    x.form = new FormMain;
    x.form->State().TempPath = x.folder + "/tmp";

    x.worked = WorkedSolutionDocument(plat::ScratchFolderOf(x.form->State().TempPath), x.folder);
    std::string lines;
    for (int k = 1; k <= 1100; ++k) {
      lines += "Step " + std::to_string(k) + ": the operating line &+Iy = 0&.75x + 0&.2125&-I meets the curve.&LF";
    }
    x.longView = Write(x.folder, "long.rex", Document("A long statement.&LF", "The answer.&LF", lines, lines));
    const std::string statement = "The diagram of the design:&LF";
    const std::string image = std::string("#IMG('") + kImageName + "'DXmm=130:DYmm=130:#IMG)&LF";
    x.withPicture = Write(x.folder, "picture.rex", Document(statement + image, "", "", ""));
    x.withoutPicture = Write(x.folder, "text.rex", Document(statement, "", "", ""));

    x.form->Form_Load();
    x.form->mnu_zoomANCHO_Click();  // the zoom of the first activation
    return x;
  }();
  return f;
}

void Open(const std::string& path, long viewMode) {
  FormMain& form = *Setup().form;
  form.State().ViewMode = viewMode;
  form.State().DocPath = path;
  form.OpenFile();
  if (!form.State().DocumentLoaded) std::abort();
}

void BM_OpenPaginateDrawWorkedSolution(benchmark::State& state) {
  Fixture& f = Setup();
  const long mode = state.range(0);
  for (auto _ : state) Open(f.worked, mode);
  state.counters["blocks"] = static_cast<double>(f.form->State().BlockCount());
  state.counters["pages"] = static_cast<double>(f.form->State().PageCount);
}
BENCHMARK(BM_OpenPaginateDrawWorkedSolution)
    ->ArgName("view")
    ->Arg(kViewStatement)
    ->Arg(kViewAnswer)
    ->Arg(kViewResolution1)
    ->Arg(kViewResolution2)
    ->Unit(benchmark::kMillisecond);

void BM_Paginate999Blocks(benchmark::State& state) {
  Fixture& f = Setup();
  Open(f.longView, kViewResolution2);
  for (auto _ : state) f.form->PAGINAR();
  state.counters["blocks"] = static_cast<double>(f.form->State().BlockCount());
  state.counters["pages"] = static_cast<double>(f.form->State().PageCount);
}
BENCHMARK(BM_Paginate999Blocks)->Unit(benchmark::kMillisecond);

// Page 1 drawn again (a zoom, a page turn): without the diagram image (0), with it (1), and
// with it decoded from its file at every drawing as before the pictures were kept (2).
void BM_DrawPage(benchmark::State& state) {
  Fixture& f = Setup();
  Open(state.range(0) ? f.withPicture : f.withoutPicture, kViewStatement);
  ViewerState& viewer = f.form->State();
  if (state.range(0) == 2) viewer.EngineValues.Pictures = nullptr;
  for (auto _ : state) f.form->DibujarPagina();
  viewer.EngineValues.Pictures = &viewer.DecodedPictures;
}
BENCHMARK(BM_DrawPage)->ArgName("picture")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(Setup().folder, ec);
  return 0;
}
