#include "plain_cause.h"

#include "errors.h"

#include <QDir>
#include <QRegularExpression>

namespace zolt {
namespace {

constexpr auto AskSupport = "Try again; if it happens again, give the text below to your support.";

QString unexpectedCause()
{
    return QStringLiteral("Zolt met an error it did not expect. ") + QLatin1String(AskSupport);
}

// SQLite's primary result codes, as the database's errors carry them.
enum DatabaseCode { Busy = 5, Locked = 6, ReadOnly = 8, IoError = 10, Corrupt = 11, Full = 13,
                    CantOpen = 14, Constraint = 19, NotADatabase = 26 };

QString databaseCause(int number)
{
    switch (number & 0xff) {
    case Full:
        return QStringLiteral("Zolt could not write to its database: the disk is full. Make room on the disk, "
                              "then try again.");
    case Busy:
    case Locked:
        return QStringLiteral("Zolt's database is in use by another program. Close that program, then try again.");
    case ReadOnly:
        return QStringLiteral("Zolt may not write to its database. Make Zolt.mdb and its folder writable, then "
                              "try again.");
    case Corrupt:
    case NotADatabase:
        return QStringLiteral("Zolt's database is damaged. Put back a copy of Zolt.mdb, or a fresh one, then "
                              "try again.");
    case IoError:
    case CantOpen:
        return QStringLiteral("Zolt could not read or write its database. Check that its disk is there and not "
                              "full, then try again.");
    case Constraint:
        return QStringLiteral("Zolt's database refused a record: it is there twice or a value is missing. Check "
                              "the file for repeated or empty entries, then load it again.");
    default:
        return QStringLiteral("Zolt's database refused the work. ") + QLatin1String(AskSupport);
    }
}

// What the line's error says, without the "Line 12: " it begins with, as a
// clause ending in its own stop.
QString lineFault(const QString &description)
{
    static const QRegularExpression linePrefix(QStringLiteral("^Line \\d+: "));
    QString fault = description.trimmed().remove(linePrefix);
    if (!fault.endsWith(u'.') && !fault.endsWith(u'?'))
        fault += u'.';
    return fault;
}

QString programCause(const ZoltError &error, const QString &file)
{
    switch (error.number()) {
    case ErrorNumber::FileNotFound:
    case ErrorNumber::PathNotFound:
        return QStringLiteral("Zolt could not find %1. Check that the file is still there, choose it again and "
                              "try again.").arg(file);
    case ErrorNumber::PermissionDenied:
        return QStringLiteral("Zolt may not read or write %1. Ask for access to the file and its folder, or work "
                              "on a copy in a folder of your own.").arg(file);
    case ErrorNumber::FileAccess:
        return QStringLiteral("Zolt could not read or write %1. Check that no other program has it open and that "
                              "its disk is there and not full, then try again.").arg(file);
    case ErrorNumber::DiskFull:
        return QStringLiteral("Zolt could not write %1 completely: the disk is full. Make room on the disk, then "
                              "try again.").arg(file);
    case ErrorNumber::BadFileFormat:
        if (error.line() > 0)
            return QStringLiteral("Zolt could not read line %1 of %2: %3 Correct the line in the file and load it "
                                  "again.").arg(QString::number(error.line()), file, lineFault(error.description()));
        return QStringLiteral("Zolt could not read %1: it is not a file Zolt can load. Check that you chose the "
                              "right file.").arg(file);
    case ErrorNumber::WorkbookUnreadable:
        return QStringLiteral("Zolt could not use the workbook %1: it is damaged or is not an Excel workbook. "
                              "Open it in Excel, save it as an .xlsx workbook, then try again.").arg(file);
    case ErrorNumber::CharacterNotEncodable:
        return QStringLiteral("Zolt could not write %1: some text has a character the file cannot hold. Change "
                              "that text (the line is named below), then save again.").arg(file);
    case ErrorNumber::Overflow:
    case ErrorNumber::TypeMismatch:
        return QStringLiteral("Zolt could not use a value in %1: a number is missing, too large or not a number. "
                              "Correct it, then try again.").arg(file);
    default:
        return unexpectedCause();
    }
}

}  // namespace

QString PlainCause(const std::exception &error, const QString &file)
{
    const auto *zolt = dynamic_cast<const ZoltError *>(&error);
    if (!zolt)
        return unexpectedCause();
    if (zolt->source() == ErrorSource::Database)
        return databaseCause(zolt->number());
    const QString shown = file.isEmpty() ? QStringLiteral("the file") : QDir::toNativeSeparators(file);
    return programCause(*zolt, shown);
}

QString WithPlainCause(const std::exception &error, const QString &file, const QString &trapText)
{
    return PlainCause(error, file) + u'\n' + trapText;
}

}  // namespace zolt
