#include "test_session.h"

#include "store/sqlite_db.h"

namespace zolt::test {

namespace {
std::unique_ptr<DataEnvironment> freshDatabase(const QString &path)
{
    CreateDatabaseFile(path);
    return DataEnvironment::openFile(path);
}
}  // namespace

TestSession::TestSession()
    : m_de(freshDatabase(m_dir.filePath(QStringLiteral("Zolt.mdb")))), m_session{*m_de, ui, shared}
{
}

QString TestSession::dbPath() const
{
    return m_dir.filePath(QStringLiteral("Zolt.mdb"));
}

void TestSession::exec(const QString &sql)
{
    m_de->Zolt().execute(sql);
}

QVariant TestSession::scalar(const QString &sql)
{
    Statement st = m_de->Zolt().database().prepare(sql);
    return st.step() ? st.column(0) : QVariant();
}

}  // namespace zolt::test
