#pragma once

#include "common/temporary_target.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>

namespace zolt::workbook {

// Writes a new .xlsx workbook through libxlsxwriter. Nothing reaches the
// target path until save(): the workbook is written to a temporary file in the
// target's folder and renamed over the target only when complete, so a failed
// write leaves whatever was there before. The finished file is read back and
// checked whole before it replaces the target.
// Every failure throws ZoltError naming the file and what went wrong.
//
// Rows go out as they are written, so that memory stays the same however
// many there are: a sheet's rows are written top to bottom (a row's cells in
// any order), and its look (the header row's font, the columns' text format)
// is set before its first cell; setting it later is refused. Widths and the
// ignored ranges may come at any time before save().
class WorkbookWriter {
public:
    // The target is replaced as a TemporaryTarget replaces it: links are
    // written through, a read-only target is refused unless readOnly says
    // Replace.
    explicit WorkbookWriter(const QString &targetPath, ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);
    ~WorkbookWriter();

    // Adds a worksheet at the end; sheets count from 1. Answers its position.
    int addSheet(const QString &name);
    void setColumnWidth(int sheet, int column, double width);
    // Row 1 of the sheet in bold type of the given size (above 0).
    void setHeaderRowFont(int sheet, double size);
    // Gives a column the text number format "@".
    void setColumnTextFormat(int sheet, int column);
    // Writes a value as text (never as a number); rows and columns from 1,
    // never above a row written before on the sheet.
    // An empty text leaves a blank cell that keeps the cell's format; it
    // reads back as empty. Characters no workbook can hold are dropped
    // (EscapeForWorkbook), never the rest of the text after them.
    void writeText(int sheet, int row, int column, const QString &text);
    // The same for a text in UTF-8; plain ASCII goes to the workbook as it
    // is, any other text as writeText would write it.
    void writeText(int sheet, int row, int column, QByteArrayView utf8);
    // Switches off the "number stored as text" indicator on a cell range
    // (rows and columns from 1, inclusive). Ranges add up. A range that ends
    // before it starts (a table without data rows) is left out.
    void ignoreNumberStoredAsText(int sheet, int firstRow, int firstColumn, int lastRow, int lastColumn);
    void setActiveSheet(int sheet);

    // Writes the workbook and puts it at the target path. The writer cannot
    // be used afterwards. Compressing and checking the file take a while:
    // they run on a thread of their own, and whileWaiting (when given) is
    // called at once and then every few hundredths of a second until they
    // end, so that a window keeps painting. When it throws, the target stays
    // as it was.
    void save(const std::function<void()> &whileWaiting = {});

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace zolt::workbook
