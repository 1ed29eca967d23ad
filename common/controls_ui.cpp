#include "common/controls_ui.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstdlib>

#include "platform/encoding.h"
#include "platform/fonts.h"

namespace stagora {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPixelAt96Dpi = 15;

double TwipsPerPixel(bool x) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return kTwipsPerPixelAt96Dpi;
  const double dpi = x ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
  return dpi > 0 ? kTwipsPerInch / dpi : kTwipsPerPixelAt96Dpi;
}

}  // namespace

double ScreenTwipsPerPixelX() { return TwipsPerPixel(true); }
double ScreenTwipsPerPixelY() { return TwipsPerPixel(false); }

QColor ToQColor(plat::Color c) { return QColor(plat::RedOf(c), plat::GreenOf(c), plat::BlueOf(c)); }

QString QText(const std::string& cp1252) {
  QString text = QString::fromStdU16String(plat::Cp1252ToUtf16(cp1252));
  text.replace("\r\n", "\n");
  return text;
}

void SetEntryCaption(QAction* entry, const QString& caption) {
  if (QMenu* menu = entry->menu()) {
    menu->setTitle(caption);
  } else {
    entry->setText(caption);
  }
}

QString LabelCaption(const std::string& cp1252) {
  std::string shown;
  shown.reserve(cp1252.size());
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    if (cp1252[i] != '&') {
      shown += cp1252[i];
    } else if (i + 1 < cp1252.size() && cp1252[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return QText(shown);
}

QFont ScaledArial(double nominal, bool bold) {
  QFont f(plat::ResolveFontFamily("Arial"));
  f.setPointSizeF(nominal * ScreenTwipsPerPixelX() / kTwipsPerPixelAt96Dpi);
  f.setBold(bold);
  return f;
}

void Place(QWidget* w, int left, int top, int width, int height) { w->setGeometry(left, top, width, height); }

QLabel* MakeLabel(QWidget* parent, const char* name, double fontSize, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFont(ScaledArial(fontSize, bold));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  label->setMargin(0);
  label->setIndent(0);
  return label;
}

void SetLabelColors(QLabel* label, plat::Color text, const plat::Color* back) {
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, ToQColor(text));
  if (back) pal.setColor(QPalette::Window, ToQColor(*back));
  label->setPalette(pal);
  label->setAutoFillBackground(back != nullptr);
}

// --- ShapeControl -----------------------------------------------------------------------

ShapeControl::ShapeControl(QWidget* parent, const char* name, bool filled, plat::Color fill, bool outlined,
                           plat::Color border)
    : QWidget(parent), filled_(filled), fill_(fill), outlined_(outlined), border_(border) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setFillColor(plat::Color fill) {
  fill_ = fill;
  update();
}

void ShapeControl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (filled_) p.fillRect(rect(), ToQColor(fill_));
  if (!outlined_) return;
  p.setPen(QPen(ToQColor(border_), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, width() - 1, height() - 1);
}

// --- LineControl ------------------------------------------------------------------------

LineControl::LineControl(QWidget* parent, const char* name, plat::Color color) : QWidget(parent), color_(color) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setLine(int x1, int y1, int x2, int y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  // The widget covers the line's pixels; the end point itself is not drawn.
  const int left = std::min(x1, x2);
  const int top = std::min(y1, y2);
  setGeometry(left, top, std::max(1, std::abs(x2 - x1)), std::max(1, std::abs(y2 - y1)));
  update();
}

void LineControl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(ToQColor(color_), 1));
  const QPoint origin(std::min(x1_, x2_), std::min(y1_, y2_));
  p.drawLine(QPoint(x1_, y1_) - origin, QPoint(x2_, y2_) - origin);
}

// --- ImageControl -----------------------------------------------------------------------

ImageControl::ImageControl(QWidget* parent, const char* name) : QWidget(parent) { setObjectName(name); }

void ImageControl::setPicture(const QPixmap& picture) {
  artwork_ = nullptr;
  picture_ = picture;
  if (!stretch_ && !picture_.isNull()) resize(picture_.deviceIndependentSize().toSize());
  update();
}

void ImageControl::setPicture(Artwork draw) {
  setPicture(draw(devicePixelRatioF()));
  artwork_ = draw;
}

void ImageControl::copyPicture(const ImageControl& other) {
  if (other.artwork_) {
    setPicture(other.artwork_);
  } else {
    setPicture(other.picture_);
  }
}

void ImageControl::paintEvent(QPaintEvent*) {
  if (artwork_ && picture_.devicePixelRatio() != devicePixelRatioF()) picture_ = artwork_(devicePixelRatioF());
  if (picture_.isNull()) return;
  QPainter p(this);
  if (stretch_) {
    p.drawPixmap(rect(), picture_);
  } else {
    p.drawPixmap(0, 0, picture_);
  }
}

void ImageControl::mouseReleaseEvent(QMouseEvent* e) {
  if (!onClick) {
    QWidget::mouseReleaseEvent(e);
    return;
  }
  if (rect().contains(e->position().toPoint())) onClick();
}

}  // namespace stagora
