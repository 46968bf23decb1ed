#include "zolt_system.h"

#include "data_environment.h"

namespace zolt {

QString RememberedFile::path() const
{
    const bool endsWithSeparator = dir.endsWith(u'/') || dir.endsWith(u'\\');
    return endsWithSeparator ? dir + file : dir + u'/' + file;
}

Recordset *ZoltSystem::row(bool addWhenEmpty)
{
    Recordset &rs = m_de.rsZoltSystem();
    rs.ensureOpen();
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        return &rs;
    }
    if (!addWhenEmpty)
        return nullptr;
    rs.addNew();
    return &rs;
}

std::optional<RememberedFile> ZoltSystem::rememberedFile()
{
    Recordset *rs = row(false);
    if (!rs)
        return std::nullopt;
    return RememberedFile{rs->text(QStringLiteral("Drive")), rs->text(QStringLiteral("Dir")),
                          rs->text(QStringLiteral("File"))};
}

void ZoltSystem::rememberFile(const RememberedFile &file)
{
    Recordset *rs = row(true);
    rs->setField(QStringLiteral("Drive"), file.drive);
    rs->setField(QStringLiteral("Dir"), file.dir);
    rs->setField(QStringLiteral("File"), file.file);
    rs->setField(QStringLiteral("Year"), QString());
    rs->update();
}

QString ZoltSystem::dataYear()
{
    Recordset &rs = m_de.rsZoltSystem();
    if (rs.isOpen())
        rs.requery();  // the year may have been stored through another cursor
    Recordset *first = row(false);
    return first ? first->text(QStringLiteral("Year")) : QString();
}

void ZoltSystem::setDataYear(const QString &year)
{
    Recordset *rs = row(!year.isEmpty());
    if (!rs)
        return;  // no row: no year to clear
    rs->setField(QStringLiteral("Year"), year);
    rs->update();
}

}  // namespace zolt
