#include "schema_upgrade.h"

#include "common/errors.h"
#include "sqlite_db.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace zolt {
namespace {

struct SchemaObject {
    QString kind;  // "table" or "index"
    QString name;
    QString table;
    QString sql;
};

// Whitespace runs as one blank, so that definitions compare by content.
QString normalised(const QString &sql)
{
    return sql.simplified();
}

const std::vector<SchemaObject> &schemaObjects()
{
    static const std::vector<SchemaObject> objects = [] {
        std::vector<SchemaObject> out;
        QString text = SchemaSql();
        text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
        static const QRegularExpression table(QStringLiteral(R"re(^CREATE\s+TABLE\s+"?(\w+)"?)re"),
                                              QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression index(
            QStringLiteral(R"re(^CREATE\s+(?:UNIQUE\s+)?INDEX\s+"?(\w+)"?\s+ON\s+"?(\w+)"?)re"),
            QRegularExpression::CaseInsensitiveOption);
        for (const QString &statement : text.split(u';')) {
            const QString sql = normalised(statement);
            if (const auto m = table.match(sql); m.hasMatch())
                out.push_back({QStringLiteral("table"), m.captured(1), m.captured(1), sql});
            else if (const auto m2 = index.match(sql); m2.hasMatch())
                out.push_back({QStringLiteral("index"), m2.captured(1), m2.captured(2), sql});
        }
        return out;
    }();
    return objects;
}

// The definition the database holds for an object; empty when it has none.
QString storedDefinition(Database &db, const SchemaObject &object)
{
    Statement st = db.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = ? AND name = ? COLLATE NOCASE"));
    st.bind(1, object.kind);
    st.bind(2, object.name);
    return st.step() ? normalised(st.column(0).toString()) : QString();
}

void makeIndex(Database &db, const SchemaObject &index)
{
    db.exec(QStringLiteral("SAVEPOINT schema_index"));
    try {
        db.exec(QStringLiteral("DROP INDEX IF EXISTS \"%1\"").arg(index.name));
        db.exec(index.sql);
        db.exec(QStringLiteral("RELEASE schema_index"));
    } catch (const ZoltError &e) {
        db.exec(QStringLiteral("ROLLBACK TO schema_index"));
        db.exec(QStringLiteral("RELEASE schema_index"));
        if ((e.number() & 0xFF) != SQLITE_CONSTRAINT)
            throw;
        qWarning("The index %s stays as it was until %s is loaded again: %s", qUtf8Printable(index.name),
                 qUtf8Printable(index.table), qUtf8Printable(e.description()));
    }
}

}  // namespace

void BringSchemaUpToDate(Database &db)
{
    for (const SchemaObject &object : schemaObjects()) {
        const QString stored = storedDefinition(db, object);
        if (stored == object.sql)
            continue;
        if (object.kind == u"table") {
            if (stored.isEmpty())
                db.exec(object.sql);
        } else {
            makeIndex(db, object);
        }
    }
}

QStringList SchemaIndexes(const QString &table)
{
    QStringList out;
    for (const SchemaObject &object : schemaObjects()) {
        if (object.kind == u"index" && object.table.compare(table, Qt::CaseInsensitive) == 0)
            out << object.sql;
    }
    return out;
}

void RemakeIndexes(Database &db, const QString &table)
{
    QStringList names;
    Statement st = db.prepare(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1 AND sql IS NOT NULL"));
    st.bind(1, table);
    while (st.step())
        names << st.column(0).toString();
    for (const QString &name : std::as_const(names))
        db.exec(QStringLiteral("DROP INDEX \"%1\"").arg(name));
    for (const QString &index : SchemaIndexes(table))
        db.exec(index);
}

}  // namespace zolt
