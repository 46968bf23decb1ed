#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

namespace zolt::test {

// Writes bytes to a file the test makes (failing the test when it cannot).
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

// The bytes of a file, or nothing when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace zolt::test
