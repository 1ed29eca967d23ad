#include "viewer/app/controls.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/fonts.h"

namespace stagora::viewer {
namespace {

constexpr double kTwipsPerPixelAt96Dpi = 15;
constexpr int kScreenWidthFallback = 1280;

void SetBackColor(QWidget* w, plat::Color back) {
  w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, ToQColor(back));
  w->setPalette(pal);
}

}  // namespace

int ScreenWidthPixels() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : kScreenWidthFallback;
}

QFont ScaledFont(const char* family, double nominal, bool bold) {
  QFont f(plat::ResolveFontFamily(family));
  f.setPointSizeF(nominal * ScreenTwipsPerPixelX() / kTwipsPerPixelAt96Dpi);
  f.setBold(bold);
  return f;
}

void SetTextWithinWidth(QLabel* label, const QString& text, QFont font, double smallest) {
  const int room = label->contentsRect().width() - 2 * label->margin();
  constexpr double kStep = 0.5;
  while (font.pointSizeF() - kStep >= smallest && QFontMetrics(font).horizontalAdvance(text) > room) {
    font.setPointSizeF(font.pointSizeF() - kStep);
  }
  if (label->font() != font) label->setFont(font);
  label->setText(text);
}

int RoundToInteger(double v) { return static_cast<int>(std::nearbyint(v)); }

// --- Strip ------------------------------------------------------------------------------

Strip::Strip(QWidget* parent, const char* name, plat::Color back) : QWidget(parent) {
  setObjectName(name);
  SetBackColor(this, back);
}

void Strip::resizeEvent(QResizeEvent*) {
  if (onResize) onResize();
}

// --- PagePicture ------------------------------------------------------------------------

PagePicture::PagePicture(QWidget* parent, const char* name) : QWidget(parent) {
  setObjectName(name);
  setFocusPolicy(Qt::StrongFocus);
}

plat::ImageSurface& PagePicture::surface() {
  const int w = std::max(1, width());
  const int h = std::max(1, height());
  if (!surface_) {
    surface_ = std::make_unique<plat::ImageSurface>(w, h);
    surface_->setBackColor(plat::Rgb(255, 255, 255));
    surface_->setScaleMode(plat::ScaleMode::Twips);
    surface_->cls();
  } else if (surface_->deviceWidth() != w || surface_->deviceHeight() != h) {
    surface_->resize(w, h);
  }
  return *surface_;
}

void PagePicture::Cls() {
  surface().cls();
  update();
}

void PagePicture::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  p.fillRect(e->rect(), Qt::white);
  if (surface_) p.drawImage(QPoint(0, 0), surface_->image());
}

// --- ScrollBarControl -------------------------------------------------------------------

ScrollBarControl::ScrollBarControl(QWidget* parent, const char* name, Qt::Orientation orientation)
    : bar_(new QScrollBar(orientation, parent)) {
  setParent(bar_);
  bar_->setObjectName(name);
  // The widget runs from 0 at Min to |Max - Min| at Max.
  QObject::connect(bar_, &QScrollBar::valueChanged, bar_, [this](int position) {
    if (syncing_) return;
    const int value = max_ >= min_ ? min_ + position : min_ - position;
    if (value == value_) return;
    value_ = value;
    if (onChange) onChange();
  });
  sync();
}

void ScrollBarControl::setMin(int v) {
  min_ = v;
  sync();
}

void ScrollBarControl::setMax(int v) {
  max_ = v;
  sync();
}

void ScrollBarControl::setValue(int v) {
  const int lo = std::min(min_, max_), hi = std::max(min_, max_);
  v = std::clamp(v, lo, hi);
  const bool changed = v != value_;
  value_ = v;
  sync();
  if (changed && onChange) onChange();
}

void ScrollBarControl::sync() {
  syncing_ = true;
  bar_->setRange(0, std::abs(max_ - min_));
  bar_->setSingleStep(SmallChange);
  bar_->setPageStep(LargeChange);
  bar_->setValue(std::abs(value_ - min_));
  syncing_ = false;
}

}  // namespace stagora::viewer
