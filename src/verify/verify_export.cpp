#include "verify_export.h"

#include "common/error_trap.h"
#include "common/plain_cause.h"
#include "common/errors.h"
#include "common/progress_count.h"
#include "common/session.h"
#include "common/workbook/workbook_writer.h"
#include "store/connection.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "verify_backup.h"
#include "verify_layout.h"

#include <algorithm>
#include <optional>

namespace zolt::verify {

using workbook::WorkbookWriter;
namespace {

using verify::Sheet;


// The trace texts of one sheet of the export.
struct ExportSteps {
    QString start;        // naming the sheet, headers, widths
    QString open;         // opening and unfiltering the recordset
    QStringList columns;  // before each column's value
    QString next;         // moving to the next row
    QString done;
};

const ExportSteps &stepsOf(const Sheet &sheet)
{
    static const ExportSteps steps[5] = {
        {QStringLiteral("11 Create the Mortgage Tab"), QStringLiteral("12"),
         {QStringLiteral("14"), QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("18"),
          QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"),
          QStringLiteral("27"), QStringLiteral("28"), QStringLiteral("29"), QStringLiteral("30"),
          QStringLiteral("31"), QStringLiteral("32")},
         QStringLiteral("33"), QStringLiteral("34")},
        {QStringLiteral("40 Work on the Folio Mask Tab"), QStringLiteral("42"),
         {QStringLiteral("47"), QStringLiteral("49"), QStringLiteral("50")}, QStringLiteral("51"),
         QStringLiteral("52")},
        {QStringLiteral("60 Work on the Collection District Tab"), QStringLiteral("61"),
         {QStringLiteral("65"), QStringLiteral("67")}, QStringLiteral("68"), QStringLiteral("69")},
        {QStringLiteral("80 Work on the Jurisdiction Tab"), QStringLiteral("82"),
         {QStringLiteral("85"), QStringLiteral("87")}, QStringLiteral("89"), QStringLiteral("92")},
        {QStringLiteral("100 Work on the Collection / Jurisdiction Combo Tab"), QStringLiteral("107"),
         {QStringLiteral("112"), QStringLiteral("114")}, QStringLiteral("115"), QStringLiteral("116")},
    };
    return steps[sheet.position - 1];
}

class Export {
public:
    Export(Session &session, const QString &fileName) : m_session(session), m_fileName(fileName) {}

    void run()
    {
        m_trace = QStringLiteral("1 Create Excel application");
        m_trace = QStringLiteral("3 Create an Excel Workbook");
        WorkbookWriter writer(m_fileName, m_session.ui.readOnlyTarget(m_fileName));
        m_trace = QStringLiteral("4");
        const QString backup = VerifyExportBackupName(m_fileName);
        m_trace = QStringLiteral("5");
        // A failed backup does not stop the export; an export that fails
        // leaves the backup as it was.
        SaveBackup previous = BackUpBeforeWriting(m_fileName, backup);
        m_trace = QStringLiteral("10 Start Excel");
        // The tables are read once, front to back: their pages need not stay
        // in the connection's cache, whose memory would add to the rows'.
        const PageCacheSize smallCache(m_session.de.Zolt().database(), 2);
        m_progress.emplace(m_session.ui, QStringLiteral("Writing the verification workbook"), rowsToWrite());
        for (const Sheet *sheet : allSheets())
            writeSheet(writer, *sheet);
        m_progress->finish();
        m_trace = QStringLiteral("117");
        writer.setActiveSheet(1);
        m_trace = QStringLiteral("120 Activate the Excel Spreadsheet");
        // Saving is what replaces the old workbook: the stage where a workbook
        // held by another program fails.
        m_trace = QStringLiteral("(possible spreadheet ") + m_fileName + QStringLiteral(" is in use?)");
        // The window paints while the workbook is compressed; a stop asked
        // for meanwhile keeps the old workbook.
        writer.save([this] {
            m_session.ui.letEventsRun();
            if (m_session.ui.stopRequested())
                throw WorkStopped{};
        });
        previous.keep();
        m_trace = QStringLiteral("123 Empty the Excel Spreadsheet Workbook");
        m_trace = QStringLiteral("124 Remove the Excel Object");
    }

    QString trace() const { return m_trace; }

private:
    // The rows of the five tables, each recordset opened and unfiltered as
    // its sheet will have it.
    qint64 rowsToWrite()
    {
        qint64 rows = 0;
        for (const Sheet *sheet : allSheets()) {
            m_trace = stepsOf(*sheet).open;
            Recordset &rs = verify::SheetRecordset(m_session.de, *sheet);
            rs.ensureOpen();
            rs.clearFilter();
            rows += rs.recordCount();
        }
        return rows;
    }

    static std::vector<const Sheet *> allSheets()
    {
        std::vector<const Sheet *> sheets{&verify::MortgageSheet()};
        for (const Sheet &sheet : verify::ReferenceSheets())
            sheets.push_back(&sheet);
        return sheets;
    }

    void writeSheet(WorkbookWriter &writer, const Sheet &sheet)
    {
        const ExportSteps &steps = stepsOf(sheet);
        m_trace = steps.start;
        // The look comes first, so that every cell written takes it.
        const int position = writer.addSheet(sheet.name);
        writer.setHeaderRowFont(position, 8);
        for (size_t c = 0; c < sheet.columns.size(); ++c) {
            const int column = int(c) + 1;
            writer.setColumnWidth(position, column, sheet.columns[c].width);
            if (sheet.position == 1)
                writer.setColumnTextFormat(position, column);
        }
        for (size_t c = 0; c < sheet.columns.size(); ++c)
            writer.writeText(position, 1, int(c) + 1, sheet.columns[c].header);
        m_trace = steps.open;
        Recordset &rs = verify::SheetRecordset(m_session.de, sheet);
        rs.ensureOpen();
        rs.clearFilter();
        std::vector<int> fields;  // the columns' fields in the recordset
        for (const verify::Column &column : sheet.columns)
            fields.push_back(rs.columnIndex(column.field));
        int lastRow = 1;
        if (rs.recordCount() > 0) {
            qint64 row = 0;
            for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
                writeRow(writer, position, ++lastRow, sheet, rs, row++, fields);
                m_trace = steps.next;
                m_progress->step();
            }
        }
        if (lastRow > 1)
            switchOffTextIndicators(writer, position, sheet, lastRow);
        m_trace = steps.done;
    }

    // The recordset's current row, which is row of its view.
    void writeRow(WorkbookWriter &writer, int position, int row, const Sheet &sheet, const Recordset &rs,
                  qint64 viewRow, const std::vector<int> &fields)
    {
        const ExportSteps &steps = stepsOf(sheet);
        readStoredRow(rs, viewRow, fields);
        for (size_t c = 0; c < sheet.columns.size(); ++c) {
            m_trace = steps.columns[qsizetype(c)];
            if (fields[c] < 0)
                rs.field(sheet.columns[c].field);  // throws, naming the field
            // An empty value stays an empty cell: it reads back the same.
            if (writeAscii(writer, position, row, int(c) + 1, sheet.columns[c], fields[c]))
                continue;
            const QString text = verify::WrittenValue(sheet.columns[c], rs.value(viewRow, fields[c]));
            if (!text.isEmpty())
                writer.writeText(position, row, int(c) + 1, text);
        }
    }

    // The stored values of a row's fields, over the recordset's bytes.
    void readStoredRow(const Recordset &rs, qint64 viewRow, const std::vector<int> &fields)
    {
        const int columns = std::max(0, *std::max_element(fields.begin(), fields.end()) + 1);
        m_cells.resize(size_t(columns));
        m_trailingBlanks.resize(size_t(columns));
        rs.trimmedCells(viewRow, m_cells, m_trailingBlanks);
    }

    // A stored text in plain ASCII goes from the recordset's bytes to the
    // workbook's without becoming a QString; answers false for any other
    // value, leaving it to WrittenValue.
    bool writeAscii(WorkbookWriter &writer, int position, int row, int column, const verify::Column &layout,
                    int field)
    {
        if (field < 0 || m_cells[size_t(field)].kind != Cell::Kind::Text)
            return false;
        m_stored.resize(0);
        m_stored.append(m_cells[size_t(field)].bytes);
        m_stored.append(m_trailingBlanks[size_t(field)], ' ');
        m_written.resize(0);
        if (!verify::AppendWrittenAscii(layout, m_stored, m_written))
            return false;
        if (!m_written.isEmpty())
            writer.writeText(position, row, column, QByteArrayView(m_written));
        return true;
    }

    static void switchOffTextIndicators(WorkbookWriter &writer, int position, const Sheet &sheet, int lastRow)
    {
        for (size_t c = 0; c < sheet.columns.size(); ++c) {
            if (sheet.columns[c].textIndicatorOff)
                writer.ignoreNumberStoredAsText(position, 2, int(c) + 1, lastRow, int(c) + 1);
        }
    }

    Session &m_session;
    QString m_fileName;
    QString m_trace;
    std::optional<ProgressCount> m_progress;  // rows written of all rows
    std::vector<Cell> m_cells;                // the row being written, as stored
    std::vector<qsizetype> m_trailingBlanks;  // after each of its texts
    QByteArray m_stored;                      // a cell's stored text, UTF-8
    QByteArray m_written;                     // and as it is written
};

void reportFailure(Session &session, const QString &fileName, const QString &trace, const std::exception &error)
{
    session.ui.message(WithPlainCause(error, fileName, WorkbookTrapMessage(QStringLiteral("Mdb2Xls"), trace, error)),
                       MessageIcon::Critical);
}

}  // namespace

bool Mdb2Xls(Session &session, const QString &FileName)
{
    Export exporter(session, FileName);
    try {
        exporter.run();
    } catch (const WorkStopped &) {
        return false;  // the user stopped the program: the unfinished workbook is dropped
    } catch (const std::exception &e) {
        reportFailure(session, FileName, exporter.trace(), e);
        return false;
    }
    session.ui.letEventsRun();
    return true;
}

void EmptyVerify(Session &session)
{
    Transaction transaction(session.de.Zolt());
    session.de.Zolt().emptyTable(QStringLiteral("VERIFY"));
    transaction.commit();
    session.ui.letEventsRun();
    if (session.de.rsVerify().isOpen())
        session.de.rsVerify().close();
}

}  // namespace zolt::verify
