#pragma once

#include "verify/verify_load.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace zolt::fuzz {

// Writes a fuzzer's input as a verification workbook at path. Input that
// starts like a zip file is the workbook itself. Anything else becomes the
// folio sheet of a workbook whose reference sheets are valid (jurisdiction
// 010 of district 05, folios of 8 digits), and whose shared strings 0 to 13
// are the folio sheet's headers and 14 to 19 some values, so that mutations
// reach the checks of the rows. Answers whether the file could be written.
bool WriteVerifyWorkbookInput(const QString &path, const QByteArray &input);

// The input written so as "MortNo.xlsx" in the fuzzing run's workplace; its
// path, or the empty text when it could not be written.
QString WorkbookOfInput(const uint8_t *data, size_t size);

// A load's message list that keeps nothing.
class DiscardedList : public verify::VerifyMessageList {
public:
    void addLine(const QString &) override {}
    void enablePrintErrors() override {}
};

}  // namespace zolt::fuzz
