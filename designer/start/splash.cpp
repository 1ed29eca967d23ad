#include "designer/start/splash.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "designer/window/controls.h"
#include "designer/window/form_main.h"

namespace stagora::designer {

bool SplashShown = false;

namespace {

constexpr int kWidth = 541;
constexpr int kHeight = 377;
constexpr int kCloseAfterMs = 1500;
const QColor kBack(192, 192, 192);
const QColor kTopBand(9, 63, 171);
const QColor kMiddleBand(159, 221, 237);
const QColor kBottomBand(229, 229, 229);

}  // namespace

FormSplash::FormSplash(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("FormSplash");
  setAttribute(Qt::WA_DeleteOnClose);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kCloseAfterMs);
  connect(Timer1, &QTimer::timeout, this, [this] { close(); });
  Form_Load();
}

void FormSplash::Form_Load() {
  setFixedSize(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
  }
  if (!SplashShown) Timer1->start();
}

void FormSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kBack);
  p.fillRect(QRect(10, 10, 520, 111), kTopBand);
  // The two picture strips between the bands blend one band into the next.
  QLinearGradient upper(0, 120, 0, 185);
  upper.setColorAt(0, kTopBand);
  upper.setColorAt(1, kMiddleBand);
  p.fillRect(QRect(10, 120, 520, 65), upper);
  p.fillRect(QRect(10, 184, 520, 57), kMiddleBand);
  QLinearGradient lower(0, 240, 0, 315);
  lower.setColorAt(0, kMiddleBand);
  lower.setColorAt(1, kBottomBand);
  p.fillRect(QRect(10, 240, 520, 75), lower);
  p.fillRect(QRect(10, 314, 520, 50), kBottomBand);
  p.setPen(Qt::white);
  p.drawRect(9, 9, 520, 354);
  p.setFont(ScaledArial(18));
  p.drawText(QRect(30, 20, 344, 31), Qt::AlignLeft | Qt::AlignTop, "Number of theoretical plates");
  p.setFont(ScaledArial(28, true));
  p.drawText(QRect(30, 43, 368, 50), Qt::AlignLeft | Qt::AlignTop, "Stagora");
  p.drawText(QRect(30, 81, 372, 64), Qt::AlignLeft | Qt::AlignTop, "method");
  p.setFont(ScaledArial(11));
  p.drawText(QRect(390, 20, 171, 18), Qt::AlignLeft | Qt::AlignTop, "Reference: TROV");
}

void FormSplash::mousePressEvent(QMouseEvent*) { close(); }

void FormSplash::keyPressEvent(QKeyEvent* event) {
  if (!event->text().isEmpty()) close();
}

void FormSplash::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void FormSplash::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Timer1->stop();
  FormMain& main = TheFormMain();
  main.show();
  main.raise();
  main.activateWindow();
  SplashShown = true;
}

void ShowStartSplash() {
  auto* splash = new FormSplash;
  splash->show();
}

}  // namespace stagora::designer
