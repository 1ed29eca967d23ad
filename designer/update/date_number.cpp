#include "designer/update/date_number.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace stagora::designer {
namespace {

constexpr double kMsPerDay = 24.0 * 60 * 60 * 1000;
const QDate kDayZero(1899, 12, 30);

}  // namespace

double DateNumber(const QDateTime& when) {
  const QDateTime local = when.toLocalTime();
  return static_cast<double>(kDayZero.daysTo(local.date())) + local.time().msecsSinceStartOfDay() / kMsPerDay;
}

double CurrentDateNumber() { return DateNumber(QDateTime::currentDateTime()); }

}  // namespace stagora::designer
