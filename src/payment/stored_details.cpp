#include "stored_details.h"

#include "common/errors.h"
#include "store/recordset.h"

#include <QHash>

namespace zolt::payment {
namespace {

// The statement's column of each field of DetailField.
std::vector<int> detailFields(const Statement &st)
{
    QHash<QString, int> byName;
    for (int c = 0; c < st.columnCount(); ++c)
        byName.insert(st.columnName(c).toUpper(), c);
    static const char *const names[DetailField::Count] = {"MORTCO", "NUMBER", "NAME", "CD", "JUR", "FOLIO",
                                                          "PAYMENT", "ABC", "GROSS_TAX", "REG_GRANT", "ADD_GRANT",
                                                          "DELQ", "LEGAL"};
    std::vector<int> fields;
    for (const char *name : names) {
        fields.push_back(byName.value(QLatin1String(name), -1));
        if (fields.back() < 0)
            throw ZoltError(ErrorNumber::FieldNotFound,
                            QStringLiteral("The details have no field %1.").arg(QLatin1String(name)));
    }
    return fields;
}

}  // namespace

QString StoredRow::text(int field) const
{
    const Cell &c = cell(field);
    if (c.kind == Cell::Kind::Text)
        return QString::fromUtf8(c.bytes);
    return c.kind == Cell::Kind::Null ? QString() : c.value().toString();
}

double StoredRow::number(int field) const
{
    const Cell &c = cell(field);
    switch (c.kind) {
    case Cell::Kind::Real: return c.real;
    case Cell::Kind::Integer: return double(c.integer);
    case Cell::Kind::Null: return 0;
    case Cell::Kind::Text:
    case Cell::Kind::Blob: break;
    }
    return c.value().toDouble();
}

bool StoredRow::textBytes(StoredDetailBytes &row) const
{
    using namespace DetailField;
    const std::pair<int, QByteArrayView *> texts[] = {{Number, &row.number}, {Name, &row.name}, {Cd, &row.cd},
                                                       {Jur, &row.jur},       {Folio, &row.folio}, {Abc, &row.abc},
                                                       {Legal, &row.legal}};
    for (const auto &[field, bytes] : texts) {
        const Cell &c = cell(field);
        if (c.kind != Cell::Kind::Text && c.kind != Cell::Kind::Null)
            return false;
        *bytes = c.bytes;
    }
    return true;
}

StoredDetails::StoredDetails(Database &db, const QString &source)
    : m_statement(db.prepare(SourceSql(source))), m_rows(m_statement, detailFields(m_statement))
{
}

}  // namespace zolt::payment
