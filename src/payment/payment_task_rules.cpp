#include "payment_task_rules.h"

#include "common/session.h"
#include "common/text_utils.h"
#include "payment_format.h"
#include "payment_save.h"

#include <QFileInfo>

namespace zolt::payment {

QString PaymentBackupPath(const QString &path)
{
    if (path.toUpper().endsWith(QStringLiteral(".CSV")))
        return path.left(path.size() - 3) + QStringLiteral("bak");
    return path + QStringLiteral(".BAK");
}

DataYearCheck CheckDataYear(const QString &dataYear, int currentYear, bool historicalAllowed)
{
    const QString current = QString::number(currentYear);
    if (dataYear == current)
        return DataYearCheck::Current;
    if (!IsAcceptedYear(dataYear, currentYear) || dataYear > current)
        return DataYearCheck::Future;
    return historicalAllowed ? DataYearCheck::Historical : DataYearCheck::NotCurrent;
}

QString NotCurrentYearMessage(const QString &dataYear, int currentYear)
{
    return QStringLiteral("The Zoltdata.csv data does not contain the current years payments!\n")
           + QStringLiteral("Year in the file = ") + dataYear + u'\n' + QStringLiteral("This Year = ")
           + QString::number(currentYear) + u'\n'
           + QStringLiteral("If you want to view the historical Zolt data then under the 'Use Only Current Year "
                            "Data' select the NO option");
}

QString NotCurrentYearLine(const QString &dataYear)
{
    return QStringLiteral("The Zoltdata.csv data does not contain the current years payments! Year = ") + dataYear;
}

QString FutureYearMessage(const QString &dataYear)
{
    return QStringLiteral("The Zoltdata.csv data contain FUTURE/UNKNOWN year payments??""?!\nYear = ") + dataYear;
}

QString FutureYearLine(const QString &dataYear)
{
    return QStringLiteral("The Zoltdata.csv data contain FUTURE/UNKNOWN year payments??""?! = ") + dataYear;
}

SaveOutcome SavePaymentFile(Session &session, const QString &dataYear, const QString &path,
                            const QString &backupPath, bool historical)
{
    SaveOutcome outcome;
    outcome.path = path;
    for (;;) {
        const SaveResult result = Mdb2Csv(session, dataYear, outcome.path, backupPath);
        if (result.saved) {
            outcome.saved = true;
            outcome.total = result.total;
            return outcome;
        }
        if (result.stopped)  // the user ends the program: no other name is asked for
            return outcome;
        QString prompt = QStringLiteral("File Save failed. Do you want to try to save to a different file name");
        if (historical)
            prompt += QStringLiteral(" (You may have the Zolt file open by another program)");
        const QString answer = session.ui.inputBox(prompt, QStringLiteral("File Save FAILED"), outcome.path);
        if (TrimBlanks(answer).isEmpty()) {
            session.ui.message(historical ? QStringLiteral("Zolt data Save FAILED") : QStringLiteral("Zolt data save FAILED"),
                               MessageIcon::Critical, QStringLiteral("Zolt Data Save"));
            return outcome;
        }
        outcome.path = TrimBlanks(answer);
        outcome.savedElsewhere = QFileInfo(outcome.path).absoluteFilePath() != QFileInfo(path).absoluteFilePath();
    }
}

}  // namespace zolt::payment
