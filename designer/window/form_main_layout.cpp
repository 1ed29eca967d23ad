// The main window's controls as designed, and the pixel positions, sizes and fonts the load
// gives them. The input panel's inner arrangement follows in ColocarControles; the window-level
// arrangement for the actual window size in Form_Resize.
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>
#include <utility>

#include "designer/window/artwork.h"
#include "designer/window/controls.h"
#include "designer/window/form_main.h"

namespace stagora::designer {
namespace {

constexpr plat::Color kPanelBack = plat::Rgb(207, 232, 255);
constexpr plat::Color kWhite = plat::Rgb(255, 255, 255);
constexpr plat::Color kBlack = plat::Rgb(0, 0, 0);
constexpr plat::Color kTopStrip = plat::Rgb(159, 203, 255);
constexpr plat::Color kTrack = plat::Rgb(145, 162, 200);
constexpr plat::Color kResultBack = plat::Rgb(255, 255, 192);
constexpr plat::Color kErrorBack = plat::Rgb(223, 242, 255);
constexpr plat::Color kErrorText = plat::Rgb(192, 0, 0);
constexpr plat::Color kCoorBack = plat::Rgb(239, 239, 239);
constexpr plat::Color kCoorText = plat::Rgb(64, 64, 64);
constexpr plat::Color kButtonText = plat::Rgb(64, 64, 128);
constexpr plat::Color kStreamText = plat::Rgb(128, 128, 128);
constexpr std::array<plat::Color, 4> kPointColors = {plat::Rgb(96, 96, 240), plat::Rgb(0, 160, 0),
                                                     plat::Rgb(192, 0, 0), plat::Rgb(255, 128, 0)};

// Fonts of the design, nominal points at 15 twips per pixel.
constexpr double kFontDiagram = 9;
constexpr double kFontCaption = 10;
constexpr double kFontFeedState = 9;
constexpr double kFontButton = 11;
constexpr double kFontDesignField = 12;
constexpr double kFontOption = 9;

std::string Indexed(const char* family, int i) { return std::string(family) + "_" + std::to_string(i); }

QLineEdit* MakeField(QWidget* parent, int number, double fontSize, bool readOnly, bool bold = false) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString("Text%1").arg(number));
  field->setFont(ScaledArial(fontSize, bold));
  QPalette pal = field->palette();
  pal.setColor(QPalette::Base, ToQColor(readOnly ? kResultBack : kWhite));
  pal.setColor(QPalette::Text, Qt::black);
  field->setPalette(pal);
  field->setReadOnly(readOnly);
  return field;
}

// The panel's caption labels: transparent, and indices 6, 20 and 21 (the streams at the
// column drawing) bold and grey.
bool IsPanelCaption(int i) { return i <= 6 || i >= 12; }

}  // namespace

void FormMain::CreateControls() {
  Client = new ClientArea(this);
  setCentralWidget(Client);

  // Window level, bottom to top: the frame of the left column, the hidden report picture and
  // result lines, the three tool buttons, then the two picture boxes.
  Shape2 = new ShapeControl(Client, "Shape2", true, kWhite, true, kBlack);
  Picture4 = new PictureBox(Client, "Picture4", kWhite);
  Picture4->setFont(ScaledArial(kFontDiagram));
  // The report's image is saved at its own size in pixels, not at the screen's density.
  Picture4->setOnePixelPerPixel();
  Picture4->hide();
  for (int i = 7; i <= 11; ++i) {
    Label1[i] = MakeLabel(Client, Indexed("Label1", i).c_str(), kFontCaption);
    SetLabelColors(Label1[i], kBlack, &kWhite);
    Label1[i]->hide();
  }
  for (int n = field::kQLine; n <= field::kPinchPoint; ++n) {
    Text[n] = MakeField(Client, n, kFontCaption, true);
    Text[n]->setPalette(QPalette());  // the result lines keep the plain field look
    Text[n]->hide();
  }
  for (int i = 0; i <= 2; ++i) {
    Image1[i] = new ImageControl(Client, Indexed("Image1", i).c_str());
    Image1[i]->setPicture(ButtonFacePicture);
    LabelB[i] = MakeLabel(Client, Indexed("LabelB", i).c_str(), kFontButton, true);
    LabelB[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetLabelColors(LabelB[i], kButtonText);
  }

  Picture2 = new PictureBox(Client, "Picture2", kPanelBack);
  Picture2->setFont(ScaledArial(kFontDiagram));
  CreateInputPanel();

  Picture1 = new PictureBox(Client, "Picture1", kWhite);
  Picture1->setFont(ScaledArial(kFontDiagram));
  for (int i = 0; i < 4; ++i) {
    Label2[i] = MakeLabel(Picture1, Indexed("Label2", i).c_str(), kFontDiagram);
    SetLabelColors(Label2[i], kPointColors[i], &kPointColors[i]);
    Label2[i]->setAlignment(Qt::AlignCenter);
    Label2[i]->setCursor(i == 1 ? Qt::CrossCursor : Qt::SizeBDiagCursor);
    Label2[i]->hide();
  }
  LblCOOR = MakeLabel(Picture1, "LblCOOR", kFontDiagram);
  SetLabelColors(LblCOOR, kCoorText, &kCoorBack);
  LblCOOR->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LblCOOR->hide();
  LblERROR = MakeLabel(Picture1, "LblERROR", kFontCaption, true);
  SetLabelColors(LblERROR, kErrorText, &kErrorBack);
  LblERROR->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LblERROR->hide();
}

void FormMain::CreateInputPanel() {
  QWidget* panel = Picture2;
  // Bottom to top: the boxes, the tracks, the pictures, the captions, the option strip and
  // the fields.
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12}) {
    const bool strip = i == 7;
    Shape1[i] = new ShapeControl(panel, Indexed("Shape1", i).c_str(), strip, strip ? kTopStrip : kPanelBack, true, kWhite);
  }
  for (int i = 0; i <= 7; ++i) Line1[i] = new LineControl(panel, Indexed("Line1", i).c_str(), i == 7 ? kWhite : kTrack);

  ImageT = new ImageControl(panel, "ImageT");
  ImageT->setPicture(ColumnPicture);
  Image1[3] = new ImageControl(panel, "Image1_3");
  Image1[3]->setPicture(ButtonFacePicture);
  Image1[3]->hide();
  for (int i = 0; i <= 6; ++i) {
    Image2[i] = new ImageControl(panel, Indexed("Image2", i).c_str());
    Image2[i]->setCursor(Qt::SizeHorCursor);
  }
  Image2[0]->setPicture(KnobPicture);

  for (int i = 0; i <= 31; ++i) {
    if (!IsPanelCaption(i)) continue;
    const bool stream = i == 6 || i == 20 || i == 21;
    Label1[i] = MakeLabel(panel, Indexed("Label1", i).c_str(), i == 15 ? kFontFeedState : kFontCaption, stream);
    SetLabelColors(Label1[i], stream ? kStreamText : kBlack);
  }
  Label1[30]->hide();
  // Captions that are symbols rather than language texts.
  Label1[6]->setText("L     D");
  Label1[20]->setText("F");
  Label1[21]->setText("B");
  Label1[16]->setText("Zf =");
  Label1[18]->setText("Xd =");
  Label1[22]->setText("R = L/D =");
  Label1[23]->setText("Rmin =");
  Label1[25]->setText("NF =");
  Label1[26]->setText("Xb =");
  Label1[31]->setText("E =");

  LabelB[3] = MakeLabel(panel, "LabelB_3", kFontButton, false);
  LabelB[3]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  SetLabelColors(LabelB[3], kButtonText);
  LabelB[3]->hide();

  Picture3 = new PictureBox(panel, "Picture3", kPanelBack);
  OptVOL = new QRadioButton(Picture3);
  OptVOL->setObjectName("OptVOL");
  OptTAB = new QRadioButton(Picture3);
  OptTAB->setObjectName("OptTAB");
  for (QRadioButton* opt : {OptVOL, OptTAB}) {
    opt->setFont(ScaledArial(kFontOption));
    opt->setAutoFillBackground(true);
  }
  OptVOL->setChecked(true);

  for (int n : {field::kAlpha, field::kThermalQ, field::kXFeed, field::kXDistillate, field::kXBottoms,
                field::kRefluxRatio, field::kEfficiency}) {
    Text[n] = MakeField(panel, n, kFontDesignField, false);
  }
  Text[field::kMinRefluxRatio] = MakeField(panel, field::kMinRefluxRatio, kFontDesignField, true);
  Text[field::kFeedPlate] = MakeField(panel, field::kFeedPlate, kFontCaption, true);
  Text[field::kRealPlates] = MakeField(panel, field::kRealPlates, kFontButton, true, true);
  Text[field::kMoreVolatileName] = MakeField(panel, field::kMoreVolatileName, kFontCaption, false);
  Text[field::kLessVolatileName] = MakeField(panel, field::kLessVolatileName, kFontCaption, false);

  // The start values of the design, written with the point.
  Text[field::kAlpha]->setText("2");
  Text[field::kThermalQ]->setText("0.5");
  Text[field::kXFeed]->setText("0.46");
  Text[field::kXDistillate]->setText("0.85");
  Text[field::kXBottoms]->setText("0.17");
  Text[field::kRefluxRatio]->setText("3");
  Text[field::kMinRefluxRatio]->setText("3");
  Text[field::kEfficiency]->setText("1.0");

  // Keyboard order of the editable fields.
  const std::array<int, 9> order = {16, 17, 1, 2, 3, 6, 4, 15, 5};
  for (std::size_t k = 0; k + 1 < order.size(); ++k) QWidget::setTabOrder(Text[order[k]], Text[order[k + 1]]);
}

void FormMain::PlaceControls() {
  Place(Picture1, 561, 294, 294, 161);
  Place(Picture2, 29, 2, 506, 490);
  Place(Picture4, 548, 484, 83, 73);
  Place(Shape2, 561, 196, 126, 89);
  Place(LblERROR, 1, 1, 493, 17);
  Place(LblCOOR, kReadoutLeft, kReadoutTop, kReadoutWidth, kReadoutLineHeight);
  const std::array<QPoint, 4> points = {QPoint(73, 93), QPoint(70, 111), QPoint(68, 131), QPoint(74, 75)};
  for (int i = 0; i < 4; ++i) Place(Label2[i], points[i].x(), points[i].y(), 12, 12);
  Place(Picture3, 162, 37, 331, 21);
  Place(OptVOL, 2, 4, 139, 15);
  Place(OptTAB, 147, 4, 150, 15);
  Place(ImageT, 175, 94, kColumnWidth, kColumnHeight);

  const std::array<QPoint, 3> images = {QPoint(63, 509), QPoint(209, 509), QPoint(355, 509)};
  const std::array<QPoint, 3> captions = {QPoint(72, 517), QPoint(217, 515), QPoint(366, 517)};
  for (int i = 0; i < 3; ++i) {
    Place(Image1[i], images[i].x(), images[i].y(), kButtonFaceWidth, kButtonFaceHeight);
    Place(LabelB[i], captions[i].x(), captions[i].y(), 121, 34);
  }
  Place(Image1[3], 182, 68, kButtonFaceWidth, kButtonFaceHeight);
  Place(LabelB[3], 193, 76, 121, 34);

  Place(Text[field::kAlpha], 64, 93, 94, 26);
  Place(Text[field::kThermalQ], 109, 149, 56, 26);
  Place(Text[field::kXFeed], 47, 270, 112, 26);
  Place(Text[field::kXDistillate], 378, 174, 112, 26);
  Place(Text[field::kXBottoms], 378, 424, 112, 26);
  Place(Text[field::kRefluxRatio], 411, 85, 76, 26);
  Place(Text[field::kMinRefluxRatio], 407, 258, 87, 26);
  Place(Text[field::kEfficiency], 379, 327, 112, 26);
  Place(Text[field::kFeedPlate], 65, 356, 104, 28);
  Place(Text[field::kRealPlates], 62, 438, 104, 28);
  Place(Text[field::kMoreVolatileName], 159, 7, 93, 24);
  Place(Text[field::kLessVolatileName], 401, 7, 93, 24);
  const std::array<std::pair<int, QPoint>, 5> lines = {{{field::kQLine, QPoint(711, 34)},
                                                        {field::kEnrichingLine, QPoint(710, 86)},
                                                        {field::kStrippingLine, QPoint(708, 143)},
                                                        {field::kLinesMeet, QPoint(708, 211)},
                                                        {field::kPinchPoint, QPoint(708, 265)}}};
  for (const auto& [line, at] : lines) Place(Text[line], at.x(), at.y(), 393, 21);

  Place(Label1[7], 711, 14, 236, 19);
  Place(Label1[8], 710, 66, 390, 19);
  Place(Label1[9], 708, 123, 390, 19);
  Place(Label1[10], 711, 177, 390, 33);
  Place(Label1[11], 711, 234, 390, 33);
  Place(Label1[6], 274, 187, 51, 19);
  Place(Label1[20], 180, 284, 34, 19);
  Place(Label1[21], 284, 425, 23, 19);

  // Sizes only: ColocarControles gives these captions their places.
  const std::array<QSize, 6> first = {QSize(156, 16), QSize(97, 33), QSize(157, 32),
                                      QSize(154, 28), QSize(167, 19), QSize(158, 19)};
  for (int i = 0; i <= 5; ++i) Label1[i]->resize(first[i]);
  const std::array<QSize, 8> middle = {QSize(76, 19), QSize(160, 36), QSize(158, 34), QSize(153, 32),
                                       QSize(34, 19), QSize(162, 35), QSize(149, 19), QSize(164, 19)};
  for (int i = 12; i <= 19; ++i) Label1[i]->resize(middle[i - 12]);
  const std::array<QSize, 10> last = {QSize(69, 19), QSize(64, 19), QSize(54, 19), QSize(52, 19), QSize(61, 19),
                                      QSize(153, 19), QSize(143, 19), QSize(151, 19), QSize(91, 16), QSize(61, 19)};
  for (int i = 22; i <= 31; ++i) Label1[i]->resize(last[i - 22]);

  for (int i : {0, 1, 3, 4, 5, 6, 8, 9, 11, 12}) Shape1[i]->resize(167, 82);
  Shape1[0]->resize(499, 29);
  Shape1[7]->resize(499, 31);
  Shape1[2]->resize(167, 94);

  Line1[0]->setLine(15, 125, 155, 125);
  Line1[1]->setLine(11, 217, 151, 217);
  Line1[2]->setLine(12, 300, 152, 300);
  Line1[3]->setLine(348, 206, 488, 206);
  Line1[4]->setLine(347, 118, 487, 118);
  Line1[5]->setLine(348, 361, 488, 361);
  Line1[6]->setLine(344, 456, 484, 456);
  Line1[7]->setLine(7, 484, 514, 484);

  Place(Image2[0], 69, 126, kKnobWidth, kKnobHeight);
  const std::array<QPoint, 6> knobs = {QPoint(89, 218), QPoint(72, 301), QPoint(403, 208),
                                       QPoint(405, 119), QPoint(405, 362), QPoint(402, 457)};
  for (int i = 1; i <= 6; ++i) Place(Image2[i], knobs[i - 1].x(), knobs[i - 1].y(), 11, 12);
}

}  // namespace stagora::designer
