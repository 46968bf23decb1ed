#include "data_environment.h"

#include "common/error_trap.h"
#include "common/plain_cause.h"
#include "common/errors.h"
#include "common/file_checks.h"
#include "common/text_utils.h"
#include "common/user_dialog.h"
#include "schema_upgrade.h"

#include <QFileInfo>
#include <map>

namespace zolt {

const QString DataEnvironment::CataloguePrefix = QStringLiteral("Initial Catalog=");

namespace {

// The application path joined with a file name, without a doubled separator
// when the path is the root.
QString inAppDir(const QString &appDir, const QString &file)
{
    return appDir.endsWith(u'/') ? appDir + file : appDir + u'/' + file;
}

QString missingMessage(const QString &file)
{
    return QStringLiteral("SEVERE ERROR - The %1 file is missing from the application path.").arg(file);
}

}  // namespace

const QStringList &DataEnvironment::ZoltTables()
{
    static const QStringList tables = {
        QStringLiteral("Group"), QStringLiteral("Detail"), QStringLiteral("Fol_Mask"),
        QStringLiteral("ZoltSystem"), QStringLiteral("VERIFY"), QStringLiteral("Collection_District"),
        QStringLiteral("Jurisdiction"), QStringLiteral("CD_JUR")};
    return tables;
}

const QStringList &DataEnvironment::ZoltDbTables()
{
    static const QStringList tables = {QStringLiteral("FolioMask"), QStringLiteral("ErrorMessage")};
    return tables;
}

std::shared_ptr<Database> OpenWorkingDatabase(const QString &path, const QStringList &tables)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (const QString folder = FolderGivenForFile(file, QStringLiteral("database")); !folder.isEmpty())
        throw ZoltError(ErrorNumber::FileAccess, folder);
    // The database's failures name the file and say what is wrong with it.
    const std::shared_ptr<Database> db = Database::open(file, Database::Mode::OpenExisting);
    const QStringList present = db->tableNames();
    for (const QString &table : tables) {
        if (!present.contains(table, Qt::CaseInsensitive))
            throw ZoltError(ErrorNumber::BadFileFormat,
                            QStringLiteral("The file %1 is not a Zolt database: it lacks the table %2").arg(file, table));
    }
    return db;
}

DataEnvironment::DataEnvironment()
{
    m_zolt.setConnectionString(CataloguePrefix + QStringLiteral("zolt.mdb"));
    m_zoltDb.setConnectionString(CataloguePrefix + QStringLiteral("zoltdb.mdb"));
    m_labelDb.setConnectionString(CataloguePrefix + QStringLiteral("label.mdb"));
    makeRecordsets();
}

DataEnvironment::~DataEnvironment() = default;

const QString DataEnvironment::DetailOrderBy = QStringLiteral("MORTCO, CD, JUR, FOLIO");
const QString DataEnvironment::VerifyOrderBy = QStringLiteral("NUMBER");

QString VerifySourceOrderedBy(const QString &orderBy)
{
    return QStringLiteral("SELECT * FROM VERIFY ORDER BY ") + orderBy;
}

QString DetailSourceOrderedBy(const QString &orderBy)
{
    return QStringLiteral("SELECT * FROM Detail ORDER BY ") + orderBy;
}

QString AgencyDetailSourceOrderedBy(const QString &mortco, const QString &orderBy)
{
    return QStringLiteral("SELECT * FROM Detail WHERE MORTCO = %1 ORDER BY %2").arg(QuoteCriteria(mortco), orderBy);
}

void DataEnvironment::makeRecordsets()
{
    const QString detail = DetailSourceOrderedBy(DetailOrderBy);
    const QString verify = VerifySourceOrderedBy(VerifyOrderBy);
    auto make = [](Connection &c, const char *name, const QString &source) {
        return std::make_unique<Recordset>(c, QString::fromLatin1(name), source);
    };
    m_rsGroup = make(m_zolt, "rsGroup", QStringLiteral("Group"));
    m_rsDetail = make(m_zolt, "rsDetail", detail);
    m_rsDetail2 = make(m_zolt, "rsDetail2", detail);
    m_rsFol_Mask = make(m_zolt, "rsFol_Mask", QStringLiteral("Fol_Mask"));
    m_rsZoltSystem = make(m_zolt, "rsZoltSystem", QStringLiteral("ZoltSystem"));
    m_rsFolioMask = make(m_zoltDb, "rsFolioMask", QStringLiteral("SELECT * FROM FolioMask ORDER BY YEAR, JUR_CD"));
    m_rsVerify = make(m_zolt, "rsVerify", verify);
    m_rsVerify2 = make(m_zolt, "rsVerify2", verify);
    m_rsCD_JUR = make(m_zolt, "rsCD_JUR",
                      QStringLiteral("SELECT * FROM CD_JUR ORDER BY Collection_District_Code, Jurisdiction_Code"));
    m_rsJurisdiction = make(m_zolt, "rsJurisdiction",
                            QStringLiteral("SELECT * FROM Jurisdiction ORDER BY Jurisdiction_Code"));
    m_rsCollection_District = make(m_zolt, "rsCollection_District",
                                   QStringLiteral("SELECT * FROM Collection_District ORDER BY Collection_District_Code"));
    m_rsErrorMessage = make(m_zoltDb, "rsErrorMessage",
                            QStringLiteral("SELECT * FROM ErrorMessage ORDER BY ErrorNumber"));
}

void DataEnvironment::openConnections()
{
    std::map<QString, std::shared_ptr<Database>> byFile;
    auto attach = [&byFile](Connection &c, const QStringList &tables) {
        const QString file = QFileInfo(c.catalogue()).absoluteFilePath();
        auto &db = byFile[file];
        if (!db)
            db = OpenWorkingDatabase(file, {});
        for (const QString &table : tables) {
            if (!db->tableNames().contains(table, Qt::CaseInsensitive))
                OpenWorkingDatabase(file, tables);  // throws, naming the table
        }
        c.attach(db);
    };
    attach(m_zolt, ZoltTables());
    attach(m_zoltDb, ZoltDbTables());
    attach(m_labelDb, {});
    // Only a file known to be a working database is brought up to date.
    for (const auto &[file, db] : byFile)
        BringSchemaUpToDate(*db);
}

namespace {

// Trace steps of pointing a connection at one database file.
struct FileSteps {
    const char *found, *atRoot, *inFolder, *missing;
};

// Points the connection at a database file of the application folder, which
// is where the files are looked for whatever the current folder is. A missing
// (or empty) file is reported and answers false; so is a folder of its name,
// said to be one.
bool pointAt(Connection &connection, const QString &appDir, const QString &file,
             const FileSteps &steps, QString &step, UserDialog &ui)
{
    const QString path = inAppDir(appDir, file);
    if (!FileExists(path)) {
        step = QLatin1String(steps.missing);
        const QString folder = FolderGivenForFile(path, QStringLiteral("database"));
        ui.message(folder.isEmpty() ? missingMessage(file) : QStringLiteral("SEVERE ERROR - ") + folder,
                   MessageIcon::Critical);
        return false;
    }
    connection.setConnectionTimeout(120);
    step = QLatin1String(steps.found);
    step = QLatin1String(appDir.endsWith(u'/') ? steps.atRoot : steps.inFolder);
    connection.setConnectionString(DataEnvironment::CataloguePrefix + path);
    return true;
}

}  // namespace

std::unique_ptr<DataEnvironment> DataEnvironment::start(const QString &appDir, const QString &exeName,
                                                        UserDialog &ui)
{
    std::unique_ptr<DataEnvironment> de(new DataEnvironment());
    QString &step = de->m_traceStep;
    try {
        step = QStringLiteral("(001)");
        ui.letEventsRun();
        if (!pointAt(de->m_zolt, appDir, QStringLiteral("Zolt.mdb"), {"(002)", "(003)", "(004)", "(005)"},
                     step, ui))
            return nullptr;

        step = QStringLiteral("(006)");
        const QString stem = QFileInfo(exeName).completeBaseName().toUpper().left(7);
        if (stem == u"ZOLTWIN") {
            step = QStringLiteral("(016)");
            de->m_labelDb.setConnectionString(de->m_zolt.connectionString());
            step = QStringLiteral("(017)");
            de->m_zoltDb.setConnectionString(de->m_zolt.connectionString());
            step = QStringLiteral("(018)");
        } else {
            if (!pointAt(de->m_zoltDb, appDir, QStringLiteral("ZoltDb.mdb"),
                         {"(007)", "(008)", "(009)", "(010)"}, step, ui))
                return nullptr;
            step = QStringLiteral("(011)");
            if (!pointAt(de->m_labelDb, appDir, QStringLiteral("Label.mdb"),
                         {"(012)", "(013)", "(014)", "(015)"}, step, ui))
                return nullptr;
        }
        step = QStringLiteral("(019)");
        de->openConnections();
        return de;
    } catch (const ZoltError &e) {
        ui.setBusy(false);
        ui.message(WithPlainCause(e, inAppDir(appDir, QStringLiteral("Zolt.mdb")), StartupTrapMessage(step, e)),
                   MessageIcon::Critical);
        return nullptr;
    }
}

std::unique_ptr<DataEnvironment> DataEnvironment::openFile(const QString &path)
{
    std::unique_ptr<DataEnvironment> de(new DataEnvironment());
    const QString file = QFileInfo(path).absoluteFilePath();
    for (Connection *c : {&de->m_zolt, &de->m_zoltDb, &de->m_labelDb})
        c->setConnectionString(CataloguePrefix + file);
    de->openConnections();
    return de;
}

}  // namespace zolt
