#pragma once

#include <QProcess>
#include <QStringList>

// Runs zolt-batch with the arguments; answers its exit code and output.
struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline BatchRun runBatch(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(ZOLT_BATCH), arguments);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
