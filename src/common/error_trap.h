#pragma once

#include <QString>
#include <exception>

namespace zolt {

// The messages of the error traps. A trap catches what was thrown below its
// procedure and says it with the error's number, the trace step and the
// description. A ZoltError brings its own number; anything else is an error
// nobody expected and gets ErrorNumber::Unexpected.
struct TrappedError {
    int number;
    QString description;
};
TrappedError Trapped(const std::exception &error);

// "Csv2Mdb Unexpected error # 53 Debug (  1-19) occurred: ..."; without a
// procedure name (the main window's trap) "Unexpected error # 53 Debug ...".
QString ProcedureTrapMessage(const QString &procedure, const QString &step, const std::exception &error);

// "Error Xls2Mdb(82) Err# 1004 Description: ..." of the workbook procedures.
QString WorkbookTrapMessage(const QString &procedure, const QString &step, const std::exception &error);

// "SEVERE ERROR (DataEnvironment_Initialize-(019) ) # 26", and what went wrong.
QString StartupTrapMessage(const QString &step, const std::exception &error);

}  // namespace zolt
