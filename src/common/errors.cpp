#include "errors.h"

namespace zolt {

ZoltError::ZoltError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

QString NumberWithSignPlace(qint64 n)
{
    return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

}  // namespace zolt
