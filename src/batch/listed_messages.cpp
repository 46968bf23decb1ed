#include "listed_messages.h"

namespace zolt::batch {

void PrintedList::addLine(const QString &line)
{
    QString text = line;
    m_out << text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << "\n";
    m_out.flush();
}

}  // namespace zolt::batch
