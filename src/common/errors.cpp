#include "errors.h"

namespace zolt {

ZoltError::ZoltError(int number, const QString &description, ErrorSource source, qint64 line)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description),
      m_source(source), m_line(line)
{
}

QString NumberWithSignPlace(qint64 n)
{
    return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

}  // namespace zolt
