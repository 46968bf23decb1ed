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

void SetTodayForTesting(const QDate &date)
{
    setToday() = date;
}

}  // namespace zolt
