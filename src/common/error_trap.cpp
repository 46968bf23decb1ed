#include "error_trap.h"

#include "errors.h"

namespace zolt {

TrappedError Trapped(const std::exception &error)
{
    if (const auto *zolt = dynamic_cast<const ZoltError *>(&error))
        return {zolt->number(), zolt->description()};
    return {ErrorNumber::Unexpected, QString::fromLocal8Bit(error.what())};
}

QString ProcedureTrapMessage(const QString &procedure, const QString &step, const std::exception &error)
{
    const TrappedError trapped = Trapped(error);
    const QString head = procedure.isEmpty() ? QString() : procedure + u' ';
    return head + QStringLiteral("Unexpected error #") + NumberWithSignPlace(trapped.number) + QStringLiteral(" Debug (")
           + step + QStringLiteral(")") + QStringLiteral(" occurred: ") + trapped.description;
}

QString WorkbookTrapMessage(const QString &procedure, const QString &step, const std::exception &error)
{
    const TrappedError trapped = Trapped(error);
    return QStringLiteral("Error ") + procedure + u'(' + step + QStringLiteral(") Err#")
           + NumberWithSignPlace(trapped.number) + QStringLiteral(" Description: ") + trapped.description;
}

QString StartupTrapMessage(const QString &step, const std::exception &error)
{
    const TrappedError trapped = Trapped(error);
    return QStringLiteral("SEVERE ERROR (DataEnvironment_Initialize-%1 ) # %2\n%3")
        .arg(step, QString::number(trapped.number), trapped.description);
}

}  // namespace zolt
