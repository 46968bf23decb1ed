#pragma once

#include "common/windows1252.h"
#include "common/clock.h"
#include "payment/payment_format.h"
#include "support/test_files.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace zolt::test {

// A payment file as the authority sends it, in lines.
struct PaymentFileText {
    QStringList lines;

    PaymentFileText &year(const QString &year)
    {
        lines << payment::YearLinePrefix + year << QString();
        return *this;
    }
    PaymentFileText &masks(const QStringList &maskLines)
    {
        lines << payment::MaskHeader << maskLines << QString();
        return *this;
    }
    // A group with its payments; count and total as the file would carry them.
    PaymentFileText &group(const QString &number, const QString &agency, const QStringList &details,
                           const QString &count = QStringLiteral("0"), const QString &total = QStringLiteral("0.00"))
    {
        lines << payment::GroupHeader << QStringLiteral("Group #,") + number << QStringLiteral("Agency #,") + agency
              << QStringLiteral("Payment Due Date,2026-04-30") << QStringLiteral("Name1:,") + agency + " MORTGAGE"
              << QStringLiteral("Name2:,") << QStringLiteral("Contact Person:,J DOE")
              << QStringLiteral("Contact Phone Number:,555-0100");
        for (int i = 1; i <= 6; ++i)
            lines << QStringLiteral("Address%1:,").arg(i) + (i == 1 ? QStringLiteral("1 MAIN ST") : QString());
        lines << QStringLiteral("Number of Payment records,") + count << QStringLiteral("Payment Amount,") + total
              << QString() << payment::DetailHeader << payment::ColumnHeading << details << QString() << QString();
        return *this;
    }

    // CR LF after every line, in Windows-1252.
    QByteArray bytes(const QByteArray &lineEnd = "\r\n") const
    {
        QByteArray out;
        for (const QString &line : lines) {
            EncodeWindows1252(line, out);
            out += lineEnd;
        }
        return out;
    }

    void write(const QString &path, const QByteArray &lineEnd = "\r\n") const { WriteBytes(path, bytes(lineEnd)); }

    static void WriteBytes(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(data);
    }
};

inline QString ThisYear()
{
    return QString::number(CurrentYear());
}

}  // namespace zolt::test
