#include "workbook_writer.h"

#include "cell_text.h"
#include "common/errors.h"
#include "common/temporary_target.h"
#include "workbook_problem.h"
#include "written_package.h"

#include <QDir>
#include <QFile>
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
};

void setHeaderFont(lxw_format *format, double size)
{
    format_set_bold(format);
    format_set_font_size(format, size);
}

// libxlsxwriter keeps a style index only on the first of several formats
// that are alike; the others would look theirs up again, by hashing the whole
// format, for every cell that uses them. Once the formats are final, each one
// is given its index.
void fixStyleIndex(lxw_format *format)
{
    format->xf_index = lxw_format_get_xf_index(format);
}

}  // namespace

struct WorkbookWriter::Impl {
    QString target;
    std::optional<TemporaryTarget> temporary;
    lxw_workbook *book = nullptr;
    std::vector<SheetLayout> sheets;

    [[noreturn]] void fail(const QString &reason) const
    {
        throw ZoltError(ErrorNumber::FileAccess, QStringLiteral("The workbook %1 cannot be written: %2.")
                                                     .arg(QDir::toNativeSeparators(target), reason));
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
            found.header = workbook_add_format(book);
            found.body = workbook_add_format(book);
            if (layout.headerFontSize > 0)
                setHeaderFont(found.header, layout.headerFontSize);
        }
        return found;
    }

    // Column widths and formats, the header row and the ignored ranges go in
    // once, when everything about them is known.
    void finishSheet(SheetLayout &layout)
    {
        for (const auto &[column, columnLayout] : layout.columns) {
            if (columnLayout.laidOut)
                check(worksheet_set_column(layout.worksheet, lxw_col_t(column - 1), lxw_col_t(column - 1),
                                           columnLayout.width, columnLayout.body));
        }
        if (layout.headerFontSize > 0) {
            lxw_format *rowFormat = workbook_add_format(book);
            setHeaderFont(rowFormat, layout.headerFontSize);
            check(worksheet_set_row(layout.worksheet, 0, LXW_DEF_ROW_HEIGHT, rowFormat));
        }
        if (!layout.ignoredRanges.isEmpty()) {
            layout.ignoredRangesText = layout.ignoredRanges.join(QLatin1Char(' ')).toLatin1();
            check(worksheet_ignore_errors(layout.worksheet, LXW_IGNORE_NUMBER_STORED_AS_TEXT,
                                          layout.ignoredRangesText.constData()));
        }
    }
};

WorkbookWriter::WorkbookWriter(const QString &targetPath) : d(std::make_unique<Impl>())
{
    d->target = targetPath;
    d->temporary.emplace(targetPath);
    lxw_workbook_options options = {};
    options.constant_memory = LXW_FALSE;  // cells may be written in any order
    d->book = workbook_new_opt(QFile::encodeName(d->temporary->path()).constData(), &options);
    if (!d->book)
        d->fail(QStringLiteral("the workbook library cannot start a workbook"));
}

WorkbookWriter::~WorkbookWriter()
{
    if (d->book)
        lxw_workbook_free(d->book);
}

int WorkbookWriter::addSheet(const QString &name)
{
    if (!d->book)
        d->fail(QStringLiteral("it has already been saved"));
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
    SheetLayout &layout = d->sheet(sheet);
    layout.headerFontSize = size;
    for (auto &[column, columnLayout] : layout.columns)
        setHeaderFont(columnLayout.header, size);
}

void WorkbookWriter::setColumnTextFormat(int sheet, int column)
{
    ColumnLayout &layout = d->column(d->sheet(sheet), column);
    format_set_num_format_index(layout.header, TextNumberFormat);
    format_set_num_format_index(layout.body, TextNumberFormat);
    layout.laidOut = true;
}

void WorkbookWriter::writeText(int sheet, int row, int column, const QString &text)
{
    SheetLayout &layout = d->sheet(sheet);
    d->checkCell(row, column);
    const ColumnLayout &columnLayout = d->column(layout, column);
    d->check(worksheet_write_string(layout.worksheet, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                    EscapeForWorkbook(text).toUtf8().constData(),
                                    row == 1 ? columnLayout.header : columnLayout.body));
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
    worksheet_activate(d->sheet(sheet).worksheet);
}

void WorkbookWriter::save()
{
    if (!d->book)
        d->fail(QStringLiteral("it has already been saved"));
    for (SheetLayout &layout : d->sheets) {
        d->finishSheet(layout);
        for (const auto &[column, columnLayout] : layout.columns) {
            fixStyleIndex(columnLayout.header);
            fixStyleIndex(columnLayout.body);
        }
    }
    // workbook_close frees the workbook whether or not it could write it.
    const lxw_error error = workbook_close(d->book);
    d->book = nullptr;
    if (error != LXW_NO_ERROR) {
        d->temporary->discard();
        d->check(error);
    }
    // The library writes its parts through temporary files of its own
    // without checking those writes, so its success proves nothing: the
    // finished file is read back whole before it replaces the target.
    try {
        workbook::CheckWrittenPackage(d->temporary->path());
    } catch (const workbook::WorkbookProblem &problem) {
        d->temporary->discard();
        d->fail(QStringLiteral("the file written is incomplete, %1; is the disk full?").arg(problem.reason));
    }
    d->temporary->commit();
}

}  // namespace zolt::workbook
