#pragma once

#include "support/broken_disk.h"

#include <QProcess>
#include <QStringList>

// Runs zolt-batch with the arguments; answers its exit code and output.
struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// fileSizeLimit above 0: no file zolt-batch writes may grow past that many
// bytes, as on a disk that is full (zolt::test::LimitFileSize).
inline BatchRun runBatch(const QStringList &arguments, qint64 fileSizeLimit = 0, const QString &workingFolder = {})
{
    QProcess p;
    if (!workingFolder.isEmpty())
        p.setWorkingDirectory(workingFolder);
    if (fileSizeLimit > 0)
        p.setChildProcessModifier([fileSizeLimit] { zolt::test::LimitFileSize(fileSizeLimit); });
    p.start(QStringLiteral(ZOLT_BATCH), arguments);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
