#include "verify_csv.h"

#include "common/csv_line.h"
#include "common/error_trap.h"
#include "common/progress_count.h"
#include "common/session.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "common/windows1252.h"
#include "store/cell.h"
#include "store/data_environment.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <string>

namespace zolt::verify {
namespace {

const QString LineBreak = QStringLiteral("\r\n");

CsvField field(const char *name, int width, const char *meaning)
{
    return {QLatin1String(name), width, QLatin1String(meaning)};
}

// "ADDR1   Char (30) {Address Line 1}": the name, its width and meaning in columns.
QString helpLine(const CsvField &f)
{
    return f.name.leftJustified(8) + QStringLiteral("Char (%1)").arg(f.width).leftJustified(10) + f.meaning;
}

}  // namespace

std::span<const CsvField> VerifyCsvFields()
{
    static const std::array<CsvField, 14> fields = {
        field("ACD", 1, "{A-Added Folio, C-Changed Folio, D-Marked for Deletion Folio, blank for no change}"),
        field("MORTCO", 4, "{Mortgage Company ID}"),
        field("NUMBER", 12, "{Mortgage Number}"),
        field("CD", 2, "{Collection District Code}"),
        field("JUR", 3, "{Jurisdiction Code}"),
        field("FOLIO", 18, "{Folio Number, 18 digits with leading zeros}"),
        field("PID", 9, "{Property Identifier}"),
        field("NAME", 70, "{Name}"),
        field("ADDR1", 30, "{Address Line 1}"),
        field("ADDR2", 30, "{Address Line 2}"),
        field("ADDR3", 30, "{Address Line 3}"),
        field("ADDR4", 30, "{Address Line 4}"),
        field("ADDR5", 30, "{Address Line 5}"),
        field("LEGAL", 32, "{Legal Description}"),
    };
    return fields;
}

namespace {

// Appends the line of a folio in the file's encoding, ended by CR LF, as
// JoinCsvLine and TextFileWriter::writeLine make it: each value trimmed of
// blanks and freed of commas, the line trimmed of blanks and freed of
// quotes. The bytes that matter here (blank, comma, quotes, line breaks) are
// the same in UTF-8 and Windows-1252, so the work is done on the encoded
// bytes. Answers false, `out` as it was, for a line it leaves to the general
// way: a value that is not text, a character without a Windows-1252 form
// (the general way names it), a line break inside a value.
bool appendLine(std::span<const Cell> cells, std::string &out, std::string &scratch)
{
    const size_t start = out.size();
    auto refuse = [&] {
        out.resize(start);
        return false;
    };
    auto appendCommaFree = [&out](const char *from, const char *to) {
        for (; from != to; ++from) {
            if (*from != ',')
                out += *from;
        }
    };
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ',';
        const Cell &cell = cells[i];
        if (cell.kind == Cell::Kind::Null)
            continue;
        if (cell.kind != Cell::Kind::Text)
            return refuse();
        QByteArrayView text = cell.bytes;  // its trailing blanks already gone
        while (!text.isEmpty() && text.front() == ' ')
            text = text.sliced(1);
        const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
        if (ascii) {
            appendCommaFree(text.begin(), text.end());
            continue;
        }
        scratch.clear();
        if (!AppendUtf8AsWindows1252(text, scratch))
            return refuse();
        appendCommaFree(scratch.data(), scratch.data() + scratch.size());
    }
    const auto breaks = [](char c) { return c == '\r' || c == '\n' || c == '\0'; };
    if (std::any_of(out.begin() + qsizetype(start), out.end(), breaks))
        return refuse();
    // The line's outer blanks go before its quotes do.
    size_t end = out.size();
    while (end > start && out[end - 1] == ' ')
        --end;
    size_t from = start;
    while (from < end && out[from] == ' ')
        ++from;
    size_t to = start;
    for (size_t i = from; i < end; ++i) {
        if (out[i] != '"' && out[i] != '\'')
            out[to++] = out[i];
    }
    out.resize(to);
    out += "\r\n";
    return true;
}

}  // namespace

qint64 ExportVerifyCsv(Session &session, const QString &path, QString &step)
{
    Recordset &folios = session.de.rsVerify();
    folios.ensureOpen();
    // A cursor of its own over the same rows, in the same order.
    const std::unique_ptr<Recordset> rows = folios.clone();
    std::vector<int> columns;
    for (const CsvField &f : VerifyCsvFields())
        columns.push_back(rows->columnIndex(f.name));
    step = QStringLiteral("  2 Open Verify.csv");
    TextFileWriter out(path, VerifyCsvFileName, session.ui.readOnlyTarget(path));
    step = QStringLiteral("  3");
    const qint64 total = rows->recordCount();
    ProgressCount progress(session.ui, QStringLiteral("Exporting the folios to Verify.csv"), total);
    std::vector<Cell> stored(size_t(rows->fieldNames().size()));
    std::vector<Cell> cells(columns.size());
    const bool everyColumn = std::all_of(columns.begin(), columns.end(), [](int c) { return c >= 0; });
    std::string lines, scratch;
    qint64 linesHeld = 0;
    auto writeHeld = [&] {
        step = QStringLiteral(" 34");
        out.writeEncodedLines(QByteArrayView(lines.data(), qsizetype(lines.size())), linesHeld);
        lines.clear();
        linesHeld = 0;
    };
    QStringList values;
    for (qint64 r = 0; r < total; ++r) {
        step = QStringLiteral(" 33");
        bool encoded = false;
        if (everyColumn) {
            rows->trimmedCells(r, stored);
            for (size_t c = 0; c < columns.size(); ++c)
                cells[c] = stored[size_t(columns[c])];
            encoded = appendLine(cells, lines, scratch);
        }
        if (encoded) {
            ++linesHeld;
            if (lines.size() >= (1 << 16))
                writeHeld();
        } else {
            writeHeld();
            values.clear();
            for (int column : columns)
                values << TrimBlanks(rows->value(r, column).toString());
            step = QStringLiteral(" 34");
            out.writeLine(JoinCsvLine(values));
        }
        progress.step();
    }
    writeHeld();
    progress.finish();
    step = QStringLiteral(" 61");
    if (folios.recordCount() > 0)
        folios.moveFirst();
    step = QStringLiteral(" 62 ");
    out.commit();
    step = QStringLiteral(" 63");
    return total;
}

QString ExportCompleteText(qint64 count)
{
    return QStringLiteral("Export to the Verify.csv file complete. %1 Records exported").arg(count);
}

QString ExportFailedLine(const QString &step)
{
    return QStringLiteral("Unexpected error occurred (%1). Ensure that the Zolt.mdb is not open. Check diskspace... "
                          "then try again")
        .arg(step);
}

QString ExportFailedBox(const QString &step, const std::exception &error)
{
    return QStringLiteral("Unexpected error occurred: (") + step.trimmed() + u')' + LineBreak
           + QStringLiteral("Ensure that the Zolt.mdb is not open.") + LineBreak
           + QStringLiteral("Check diskspace... then try again") + LineBreak + LineBreak + Trapped(error).description;
}

QString ExportHelpText()
{
    QStringList lines = {
        QStringLiteral("The Mortgage Number Verification can be export by two methods:"),
        QStringLiteral("1. All the Folio Verification records are saved to a file called Verify.csv"),
        QStringLiteral("The data is stored in a comma delimited format (separated by a comma)."),
        QStringLiteral("The following Data fields are exported:"),
    };
    for (const CsvField &f : VerifyCsvFields())
        lines << helpLine(f);
    lines << QStringLiteral("2. The Folio Verification records are stored in a table called VERIFY in the Zolt.mdb "
                            "database file,")
          << QStringLiteral("a SQLite 3 database that any SQLite tool (for example the sqlite3 program or a "
                            "spreadsheet's database import) can export.")
          << QStringLiteral("If the Verify.csv file cannot be used, export the VERIFY table with such a tool to the "
                            "file format you need.")
          << QStringLiteral("3. Optionally if you have Excel then you can export the data from there.");
    return lines.join(LineBreak);
}

QString ImportHelpText()
{
    return QStringList{
        QStringLiteral("If you choose to import the verification folios from the Verify.csv file"),
        QStringLiteral("you have two options:"),
        QStringLiteral("(1) Import from Verify.csv (Leave existing folios and UPDATE all matching import records)"),
        QStringLiteral("(2) Import from Verify.csv (DELETE ALL records then import)"),
        QStringLiteral(" "),
        QStringLiteral("Option (1) Import from Verify.csv (Leave existing folios and UPDATE all matching import "
                       "records)"),
        QStringLiteral("will match the Jurisdiction (JUR) and Folio Number (FOLIO)"),
        QStringLiteral("The Name (NAME), Address Lines 1-5 (ADDR1-5), and Legal Description (LEGAL) will be updated"),
        QStringLiteral("If the Mortgage Number has changed then the folio will be marked as Changed (ACD=C). "),
        QStringLiteral("If the Mortgage Number has not changed the folio ACD field will be updated from the "
                       "Verify.csv as long as its values are."),
        QStringLiteral("A-Added Folio, C-Changed Folio, D-Marked for Deletion Folio, blank for no change "),
        QStringLiteral(" "),
        QStringLiteral("Option (2) Import from Verify.csv (DELETE ALL records then import) will "),
        QStringLiteral("remove (DELETE) all existing folios and replace them with the imported folios."),
        QStringLiteral(" "),
        QStringLiteral("Both options will check the following:"),
        QStringLiteral("That a Mortgage Number is present."),
        QStringLiteral("That a Mortgage Company ID is present and four characters long. "),
        QStringLiteral("That the Collection District is present and two digits from 01 to 99."),
        QStringLiteral("That the Jurisdiction is present and three digits from 701 to 799. "),
        QStringLiteral("That the Folio Number is if present that it is numeric."),
        QStringLiteral("That the Property Identifier if present that it is numeric."),
        QStringLiteral("That the Jurisdiction and (Folio Number or Property Identifier) is unique (no duplicates)."),
        QStringLiteral("That the Collection District and Jurisdiction combination is valid."),
        QStringLiteral("If you require any further help please contact the Varnholt, Tessaly"),
    }
        .join(LineBreak);
}

QString VerifyCsvPath()
{
    return QDir::current().absoluteFilePath(VerifyCsvFileName);
}

}  // namespace zolt::verify
