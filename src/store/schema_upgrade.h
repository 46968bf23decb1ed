#pragma once

#include <QString>
#include <QStringList>

namespace zolt {

class Database;

// Brings a working database made by an earlier build up to date: the tables
// and indexes of the schema it lacks are added, and an index whose
// definition changed is made again. Rows are never touched. An index that
// the rows already there do not allow (duplicates an earlier build let in)
// stays as it was for now: the next load of its table makes it anew.
void BringSchemaUpToDate(Database &db);

// The schema's CREATE INDEX statements for one table.
QStringList SchemaIndexes(const QString &table);

// Drops every index of the table and makes those of the schema: an index an
// earlier build left, because the rows then did not allow the new one, is
// replaced. Meant for a table just emptied.
void RemakeIndexes(Database &db, const QString &table);

}  // namespace zolt
