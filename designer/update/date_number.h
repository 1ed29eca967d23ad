// Dates as the update check stores and sends them: the classic day count, days since
// 30 December 1899 with the time of day as the fraction, in local time.
#pragma once

class QDateTime;

namespace stagora::designer {

double DateNumber(const QDateTime& when);
double CurrentDateNumber();

}  // namespace stagora::designer
