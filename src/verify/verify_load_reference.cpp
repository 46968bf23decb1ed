#include "verify_load_reference.h"

#include "common/clock.h"
#include "common/text_utils.h"
#include "common/workbook/sheet_rows.h"
#include "store/data_environment.h"
#include "verify_layout.h"
#include "store/batch_insert.h"

#include <QDate>
#include <QSet>

namespace zolt::verify {
namespace {

// The trace texts of one reference sheet.
struct ReferenceSteps {
    QString preparation;
    QString row;
    QString find;
    QString savingAfterFind;  // followed by the row's description
    QString savingIntoEmpty;
    QStringList labels;       // around the cells of the row's description
};

const ReferenceSteps &stepsOf(const Sheet &sheet)
{
    static const ReferenceSteps steps[4] = {
        {QStringLiteral("140"), QStringLiteral("150"), QStringLiteral("151"), QStringLiteral("160 "),
         QStringLiteral("175 "),
         {QStringLiteral("reading the Folio Mask JUR("), QStringLiteral(") Folio Length("),
          QStringLiteral(") Folio Mask("), QStringLiteral(")")}},
        {QStringLiteral("180"), QStringLiteral("183"), QStringLiteral("184"), QStringLiteral("192 "),
         QStringLiteral("197"),
         {QStringLiteral("reading the Collection District Code ("), QStringLiteral(") Collection District Name("),
          QStringLiteral(")")}},
        {QStringLiteral("200"), QStringLiteral("202"), QStringLiteral("203"), QStringLiteral("211 "),
         QStringLiteral("216 "),
         {QStringLiteral("reading the Jurisdiction Code ("), QStringLiteral(") Jurisdiction Name("),
          QStringLiteral(")")}},
        {QStringLiteral("300"), QStringLiteral("303"), QStringLiteral("304"), QStringLiteral("312 "),
         QStringLiteral("323 "),
         {QStringLiteral("reading the Collection District Code CD ("), QStringLiteral(") Jurisdiction Code JUR("),
          QStringLiteral(")")}},
    };
    return steps[sheet.position - 2];
}

class ReferenceRows {
public:
    ReferenceRows(LoadContext &context, const Sheet &sheet)
        : m_context(context), m_sheet(sheet), m_steps(stepsOf(sheet)),
          m_insert(context.session.de.Zolt().database(), sheet.table, fieldNames())
    {
    }

    void read(SheetRows &rows, const QString &sheetName)
    {
        SheetEnd end;
        bool ended = false;
        for (int row = 1; !ended; ++row) {
            m_context.trace.set(m_steps.row);
            const std::vector<QString> values = RowCells(m_sheet, rows, row);
            if (IsHeaderRow(m_sheet, values))
                ended = end.mark(row, false);
            else if (IsBlankRow(m_sheet, values))
                ended = end.mark(row, true);
            else
                handleRow(values);
        }
        CountRowsLeft(m_sheet, rows, end);
        if (end.rowsLeft > 0) {
            m_context.counts.rowsNotRead += end.rowsLeft;
            m_context.deliver(LoadMessage::RowsNotRead(sheetName, m_sheet.position, end));
        }
        rows.finish();
    }

private:
    bool isFolioMask() const { return m_sheet.position == 2; }

    QStringList fieldNames() const
    {
        QStringList fields;
        for (const Column &c : m_sheet.columns)
            fields << c.field;
        if (isFolioMask())
            fields << QStringLiteral("YEAR");
        return fields;
    }

    QString description(const std::vector<QString> &cells) const
    {
        QString text = m_steps.labels.first();
        for (size_t i = 0; i < cells.size(); ++i)
            text += cells[i] + m_steps.labels[qsizetype(i) + 1];
        return text;
    }

    void handleRow(const std::vector<QString> &cells)
    {
        QString lookup;
        for (int c : m_sheet.keyColumns)
            lookup += StoredValue(m_sheet.columns[size_t(c)], cells[size_t(c)]).toString().toCaseFolded() + QChar(0x1f);
        const bool tableEmpty = m_keys.isEmpty();
        if (!tableEmpty) {
            m_context.trace.set(m_steps.find);
            if (m_keys.contains(lookup))
                return;
        }
        m_context.trace.set(tableEmpty ? m_steps.savingIntoEmpty : m_steps.savingAfterFind, description(cells));
        save(cells);
        m_keys.insert(lookup);
    }

    void save(const std::vector<QString> &cells)
    {
        for (size_t c = 0; c < m_sheet.columns.size(); ++c) {
            const QVariant value = StoredValue(m_sheet.columns[c], cells[c]);
            if (value.typeId() == QMetaType::QString)
                m_insert.text(value.toString());
            else
                m_insert.integer(value.toLongLong());
        }
        if (isFolioMask())
            m_insert.text(QString::number(CurrentYear()));
        m_insert.addRow();
    }

    LoadContext &m_context;
    const Sheet &m_sheet;
    const ReferenceSteps &m_steps;
    BatchInsert m_insert;
    QSet<QString> m_keys;
};

}  // namespace

void ReadReferenceSheet(LoadContext &context, const Sheet &sheet, SheetRows &rows, const QString &sheetName)
{
    ReferenceRows(context, sheet).read(rows, sheetName);
}

QString ReferencePreparationStep(const Sheet &sheet)
{
    return stepsOf(sheet).preparation;
}

}  // namespace zolt::verify
