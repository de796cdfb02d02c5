#include "Clock.h"

namespace zeror::clock {

namespace {
QDateTime& fixedMoment()
{
    static QDateTime moment;
    return moment;
}
} // namespace

QDate today()
{
    return now().date();
}

QDateTime now()
{
    const QDateTime& fixed = fixedMoment();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

void setFixed(const QDateTime& moment)
{
    fixedMoment() = moment;
}

} // namespace zeror::clock
