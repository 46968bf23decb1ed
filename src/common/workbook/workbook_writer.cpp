#include "workbook_writer.h"

#include "cell_text.h"
#include "common/errors.h"
#include "common/file_replace.h"
#include "common/temporary_target.h"
#include "common/write_behind.h"
#include "workbook_problem.h"
#include "written_package.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <QStringEncoder>
#include <algorithm>
#include <chrono>
#include <future>
#include <map>
#include <optional>
#include <vector>
#include <xlsxwriter.h>

namespace zolt::workbook {

namespace {

// The built-in number format "@" (text), as spreadsheet programs store it.
constexpr uint8_t TextNumberFormat = 49;

// Each column has a format object for its header cell and one for the cells
// below. libxlsxwriter reads a format's properties only when it writes the
// file, so a text format or a header font set after cells were written still
// reaches them; formats that end up alike are stored once.
struct ColumnLayout {
    lxw_format *header = nullptr;
    lxw_format *body = nullptr;
    double width = LXW_DEF_COL_WIDTH;
    bool laidOut = false;  // a width or the text format was set
};

struct SheetLayout {
    lxw_worksheet *worksheet = nullptr;
    std::map<int, ColumnLayout> columns;  // by column, from 1
    double headerFontSize = 0;            // 0: row 1 as any other row
    QStringList ignoredRanges;            // number stored as text
    QByteArray ignoredRangesText;         // kept alive until the workbook is closed
    int lastRow = 0;                      // written; 0 before the first cell, when the look is still open
};

void setHeaderFont(lxw_format *format, double size)
{
    format_set_bold(format);
    format_set_font_size(format, size);
}

// libxlsxwriter keeps a style index only on the first of several formats
// that are alike; the others would look theirs up again, by hashing the whole
// format, for every cell that uses them. Once a sheet's formats are final,
// each one is given its index.
void fixStyleIndex(lxw_format *format)
{
    format->xf_index = lxw_format_get_xf_index(format);
}

// Cells on their way to the library, written on a thread of their own.
struct CellBatch {
    struct Cell {
        lxw_worksheet *worksheet;
        lxw_row_t row;
        lxw_col_t column;
        lxw_format *format;
        qsizetype text;  // in text
    };
    std::vector<Cell> cells;
    QByteArray text;  // UTF-8, each text ended by a NUL

    void clear()
    {
        cells.clear();
        text.resize(0);
    }
};

constexpr size_t CellsPerBatch = 4096;

// The most characters (code points) the library takes in a cell.
constexpr qsizetype MaxTextLength = 32767;

qsizetype codePoints(const QString &text)
{
    return text.size() - std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLowSurrogate(); });
}

}  // namespace

struct WorkbookWriter::Impl {
    QString target;
    std::optional<TemporaryTarget> temporary;
    lxw_workbook *book = nullptr;
    std::vector<SheetLayout> sheets;
    // The library is reached from one thread at a time: the cells from the
    // writing thread, everything else from the caller's once the writing is
    // idle.
    std::unique_ptr<WriteBehind<CellBatch>> writing;
    QStringEncoder encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};

    void libraryIdle()
    {
        if (writing)
            writing->wait();
    }

    [[noreturn]] void failTooLong(int row, int column) const
    {
        fail(QStringLiteral("a text of row %1, column %2 is longer than a cell can hold").arg(row).arg(column));
    }

    void queueCell(lxw_worksheet *worksheet, int row, int column, const QString &text, lxw_format *format)
    {
        const QString escaped = EscapeForWorkbook(text);
        if (escaped.size() > MaxTextLength && codePoints(escaped) > MaxTextLength)
            failTooLong(row, column);
        CellBatch &batch = writing->filling();
        const qsizetype start = batch.text.size();
        batch.text.resize(start + encoder.requiredSpace(escaped.size()) + 1);
        char *end = encoder.appendToBuffer(batch.text.data() + start, escaped);
        *end++ = '\0';
        batch.text.resize(end - batch.text.constData());
        queued(worksheet, row, column, format, start);
    }

    // A text that needs no escape, UTF-8 as the library takes it.
    void queuePlainCell(lxw_worksheet *worksheet, int row, int column, QByteArrayView utf8, lxw_format *format)
    {
        if (utf8.size() > MaxTextLength)
            failTooLong(row, column);
        CellBatch &batch = writing->filling();
        const qsizetype start = batch.text.size();
        batch.text.append(utf8);
        batch.text.append('\0');
        queued(worksheet, row, column, format, start);
    }

    void queued(lxw_worksheet *worksheet, int row, int column, lxw_format *format, qsizetype text)
    {
        CellBatch &batch = writing->filling();
        batch.cells.push_back({worksheet, lxw_row_t(row - 1), lxw_col_t(column - 1), format, text});
        if (batch.cells.size() >= CellsPerBatch)
            writing->handOver();
    }

    // The layout of the cell about to be written, its row checked and taken.
    lxw_format *cellFormat(int sheetPosition, int row, int column, lxw_worksheet **worksheet)
    {
        SheetLayout &layout = sheet(sheetPosition);
        checkCell(row, column);
        if (row < layout.lastRow)
            fail(QStringLiteral("row %1 of sheet %2 comes after row %3: rows are written top to bottom")
                     .arg(row)
                     .arg(sheetPosition)
                     .arg(layout.lastRow));
        if (layout.lastRow == 0)
            closeLook(layout);
        layout.lastRow = row;
        const ColumnLayout &columnLayout = this->column(layout, column);
        *worksheet = layout.worksheet;
        return row == 1 ? columnLayout.header : columnLayout.body;
    }

    void writeCells(const CellBatch &batch) const
    {
        for (const CellBatch::Cell &cell : batch.cells)
            check(worksheet_write_string(cell.worksheet, cell.row, cell.column, batch.text.constData() + cell.text,
                                         cell.format));
    }

    [[noreturn]] void fail(const QString &reason) const
    {
        throw ZoltError(ErrorNumber::FileAccess, QStringLiteral("The workbook %1 cannot be written: %2.")
                                                     .arg(QDir::toNativeSeparators(target), reason));
    }

    [[noreturn]] void failWithSystemError(int code) const
    {
        throw ZoltError(ErrorNumberOfSystemError(code), QStringLiteral("The workbook %1 cannot be written: %2.")
                                                            .arg(QDir::toNativeSeparators(target), SystemErrorText(code)));
    }

    void check(lxw_error error) const
    {
        if (error != LXW_NO_ERROR)
            fail(QString::fromUtf8(lxw_strerror(error)));
    }

    SheetLayout &sheet(int position)
    {
        if (!book)
            fail(QStringLiteral("it has already been saved"));
        if (position < 1 || position > int(sheets.size()))
            fail(QStringLiteral("it has no sheet %1").arg(position));
        return sheets[size_t(position - 1)];
    }

    // The look of a sheet is set before its first cell.
    SheetLayout &sheetLookOpen(int position)
    {
        SheetLayout &layout = sheet(position);
        if (layout.lastRow > 0)
            fail(QStringLiteral("the look of sheet %1 is set after its cells were written").arg(position));
        return layout;
    }

    void checkCell(int row, int column) const
    {
        if (row < 1 || row > workbook::MaxSheetRows || column < 1 || column > workbook::MaxSheetColumns)
            fail(QStringLiteral("row %1, column %2 lies outside a sheet").arg(row).arg(column));
    }

    ColumnLayout &column(SheetLayout &layout, int column)
    {
        checkCell(1, column);
        ColumnLayout &found = layout.columns[column];
        if (!found.header) {
            libraryIdle();
            found.header = workbook_add_format(book);
            found.body = workbook_add_format(book);
            if (layout.headerFontSize > 0)
                setHeaderFont(found.header, layout.headerFontSize);
            if (layout.lastRow > 0) {  // the look is closed: these formats are final
                fixStyleIndex(found.header);
                fixStyleIndex(found.body);
            }
        }
        return found;
    }

    // The first cell of a sheet ends its look: the header row takes its font
    // and every format its style index.
    void closeLook(SheetLayout &layout)
    {
        libraryIdle();
        if (layout.headerFontSize > 0) {
            lxw_format *rowFormat = workbook_add_format(book);
            setHeaderFont(rowFormat, layout.headerFontSize);
            check(worksheet_set_row(layout.worksheet, 0, LXW_DEF_ROW_HEIGHT, rowFormat));
        }
        for (const auto &[column, columnLayout] : layout.columns) {
            fixStyleIndex(columnLayout.header);
            fixStyleIndex(columnLayout.body);
        }
    }

    // Column widths and the ignored ranges go in once, when everything about
    // them is known.
    void finishSheet(SheetLayout &layout)
    {
        if (layout.lastRow == 0)
            closeLook(layout);
        for (const auto &[column, columnLayout] : layout.columns) {
            if (columnLayout.laidOut)
                check(worksheet_set_column(layout.worksheet, lxw_col_t(column - 1), lxw_col_t(column - 1),
                                           columnLayout.width, columnLayout.body));
        }
        if (!layout.ignoredRanges.isEmpty()) {
            layout.ignoredRangesText = layout.ignoredRanges.join(QLatin1Char(' ')).toLatin1();
            check(worksheet_ignore_errors(layout.worksheet, LXW_IGNORE_NUMBER_STORED_AS_TEXT,
                                          layout.ignoredRangesText.constData()));
        }
    }

    // Compresses the workbook into the temporary file and reads it back
    // whole; the temporary file goes when either fails.
    void closeAndCheck()
    {
        // workbook_close frees the workbook whether or not it could write it. A
        // write the system refused leaves its reason in errno (of this
        // thread), which says more than the library's words ("No space left
        // on device").
        errno = 0;
        const lxw_error error = workbook_close(book);
        const int systemError = errno;
        book = nullptr;
        if (error != LXW_NO_ERROR) {
            temporary->discard();
            if (systemError != 0 && error >= LXW_ERROR_CREATING_XLSX_FILE && error <= LXW_ERROR_ZIP_CLOSE)
                failWithSystemError(systemError);
            check(error);
        }
        // The library writes its parts through temporary files of its own
        // without checking those writes, so its success proves nothing: the
        // finished file is read back whole before it replaces the target.
        try {
            workbook::CheckWrittenPackage(temporary->path());
        } catch (const workbook::WorkbookProblem &problem) {
            temporary->discard();
            fail(QStringLiteral("the file written is incomplete, %1; is the disk full?").arg(problem.reason));
        }
    }
};

WorkbookWriter::WorkbookWriter(const QString &targetPath, ReadOnlyTarget readOnly) : d(std::make_unique<Impl>())
{
    d->target = targetPath;
    d->temporary.emplace(targetPath, readOnly);
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;  // each row goes out once the next one begins
    d->book = workbook_new_opt(QFile::encodeName(d->temporary->path()).constData(), &options);
    if (!d->book)
        d->fail(QStringLiteral("the workbook library cannot start a workbook"));
    d->writing = std::make_unique<WriteBehind<CellBatch>>([this](CellBatch &batch) { d->writeCells(batch); });
}

WorkbookWriter::~WorkbookWriter()
{
    d->writing.reset();
    if (d->book)
        lxw_workbook_free(d->book);
}

int WorkbookWriter::addSheet(const QString &name)
{
    if (!d->book)
        d->fail(QStringLiteral("it has already been saved"));
    d->libraryIdle();
    const QByteArray utf8 = name.toUtf8();
    const lxw_error invalid = workbook_validate_sheet_name(d->book, utf8.constData());
    if (invalid != LXW_NO_ERROR)
        d->fail(QStringLiteral("the sheet name \"%1\" is not allowed (%2)").arg(name, QString::fromUtf8(lxw_strerror(invalid))));
    lxw_worksheet *worksheet = workbook_add_worksheet(d->book, utf8.constData());
    if (!worksheet)
        d->fail(QStringLiteral("the sheet \"%1\" cannot be added").arg(name));
    d->sheets.push_back({});
    d->sheets.back().worksheet = worksheet;
    return int(d->sheets.size());
}

void WorkbookWriter::setColumnWidth(int sheet, int column, double width)
{
    ColumnLayout &layout = d->column(d->sheet(sheet), column);
    layout.width = width;
    layout.laidOut = true;
}

void WorkbookWriter::setHeaderRowFont(int sheet, double size)
{
    if (size <= 0)
        d->fail(QStringLiteral("a font size of %1 is not possible").arg(size));
    SheetLayout &layout = d->sheetLookOpen(sheet);
    layout.headerFontSize = size;
    for (auto &[column, columnLayout] : layout.columns)
        setHeaderFont(columnLayout.header, size);
}

void WorkbookWriter::setColumnTextFormat(int sheet, int column)
{
    ColumnLayout &layout = d->column(d->sheetLookOpen(sheet), column);
    format_set_num_format_index(layout.header, TextNumberFormat);
    format_set_num_format_index(layout.body, TextNumberFormat);
    layout.laidOut = true;
}

void WorkbookWriter::writeText(int sheet, int row, int column, const QString &text)
{
    lxw_worksheet *worksheet = nullptr;
    lxw_format *format = d->cellFormat(sheet, row, column, &worksheet);
    d->queueCell(worksheet, row, column, text, format);
}

void WorkbookWriter::writeText(int sheet, int row, int column, QByteArrayView utf8)
{
    if (!IsPlainForWorkbook(utf8)) {
        writeText(sheet, row, column, QString::fromUtf8(utf8));
        return;
    }
    lxw_worksheet *worksheet = nullptr;
    lxw_format *format = d->cellFormat(sheet, row, column, &worksheet);
    d->queuePlainCell(worksheet, row, column, utf8, format);
}

void WorkbookWriter::ignoreNumberStoredAsText(int sheet, int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    SheetLayout &layout = d->sheet(sheet);
    if (lastRow < firstRow || lastColumn < firstColumn)
        return;  // a table without rows
    d->checkCell(firstRow, firstColumn);
    d->checkCell(lastRow, lastColumn);
    char range[64];
    lxw_rowcol_to_range(range, lxw_row_t(firstRow - 1), lxw_col_t(firstColumn - 1), lxw_row_t(lastRow - 1),
                        lxw_col_t(lastColumn - 1));
    layout.ignoredRanges.append(QString::fromLatin1(range));
}

void WorkbookWriter::setActiveSheet(int sheet)
{
    SheetLayout &layout = d->sheet(sheet);
    d->libraryIdle();
    worksheet_activate(layout.worksheet);
}

void WorkbookWriter::save(const std::function<void()> &whileWaiting)
{
    if (!d->book)
        d->fail(QStringLiteral("it has already been saved"));
    d->writing->handOver();
    d->writing->wait();
    d->writing.reset();
    for (SheetLayout &layout : d->sheets)
        d->finishSheet(layout);
    std::future<void> finishing = std::async(std::launch::async, [this] { d->closeAndCheck(); });
    // When whileWaiting throws, leaving this function waits for the closing
    // to end, and the temporary file goes with the writer.
    if (whileWaiting) {
        do
            whileWaiting();
        while (finishing.wait_for(std::chrono::milliseconds(30)) != std::future_status::ready);
    }
    finishing.get();  // throws what the closing threw
    d->temporary->commit();
}

}  // namespace zolt::workbook
