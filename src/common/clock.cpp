#include "clock.h"

namespace zolt {
namespace {

QDate &setToday()
{
    static QDate date;
    return date;
}

}  // namespace

QDate Today()
{
    return setToday().isValid() ? setToday() : QDate::currentDate();
}

int CurrentYear()
{
    return Today().year();
}

QDateTime Now()
{
    return QDateTime(Today(), QTime::currentTime());
}

void SetTodayForTesting(const QDate &date)
{
    setToday() = date;
}

}  // namespace zolt
