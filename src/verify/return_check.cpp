#include "return_check.h"

#include "verified_file.h"

#include "common/session.h"
#include "store/data_environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zolt::verify {
namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A verified file of an earlier check would pass for one of this workbook.
void removeEarlierFile(const QString &path, VerifyMessageList &list)
{
    QFile earlier(path);
    if (earlier.exists() && !earlier.remove())
        list.addLine(QStringLiteral("The verified file of an earlier check could not be removed: %1: %2")
                         .arg(shown(path), earlier.errorString()));
}

}  // namespace

QString VerifiedFilePath(const QString &workbookPath)
{
    return QFileInfo(workbookPath).absoluteDir().filePath(VerifiedFileName);
}

ReturnCheckResult CheckReturnedWorkbook(Session &session, const QString &workbookPath, VerifyMessageList &list)
{
    ReturnCheckResult result;
    const QString path = VerifiedFilePath(workbookPath);
    removeEarlierFile(path, list);
    result.load = Xls2Mdb(session, workbookPath, &list);
    session.ui.letEventsRun();
    Recordset &folios = session.de.rsVerify();
    folios.ensureOpen();
    result.folios = folios.recordCount();
    if (result.folios == 0) {
        list.addLine(ReturnMessage::NothingLoaded);
        return result;
    }
    list.addLine(ReturnMessage::CheckTheFile);
    try {
        const qint64 lines = WriteVerifiedFile(folios, path);
        result.verifiedPath = path;
        list.addLine(QStringLiteral("%1 folios were written to the verified file %2").arg(lines).arg(shown(path)));
    } catch (const std::exception &e) {
        list.addLine(QStringLiteral("The verified file %1 could not be written: %2")
                         .arg(shown(path), QString::fromUtf8(e.what())));
        list.enablePrintErrors();
    }
    return result;
}

}  // namespace zolt::verify
