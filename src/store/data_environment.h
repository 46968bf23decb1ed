#pragma once

#include "connection.h"
#include "recordset.h"

#include <QString>
#include <map>
#include <memory>

namespace zolt {

class UserDialog;

// The data environment: the three connections and the named recordsets every
// screen and file procedure works through. The program makes one at start-up
// (start), tests and zolt-batch make theirs over a database file of their own
// (openFile).
class DataEnvironment {
public:
    static const QString DetailOrderBy;   // the order of rsDetail as it is made
    static const QString VerifyOrderBy;   // the order of rsVerify as it is made
    // A connection string names its database file after this: nothing else
    // of it is read.
    static const QString CataloguePrefix;

    // The start-up of the program in appDir, named exeName: finds the
    // database files, sets the connection strings, opens and checks the
    // databases. On failure it has told the user (a "SEVERE ERROR" message)
    // and answers null: the program ends.
    static std::unique_ptr<DataEnvironment> start(const QString &appDir, const QString &exeName,
                                                  UserDialog &ui);

    // All three connections on one database file. Throws ZoltError when the
    // file is missing, is not a database, or lacks a table.
    static std::unique_ptr<DataEnvironment> openFile(const QString &path);

    ~DataEnvironment();

    Connection &Zolt() { return m_zolt; }
    Connection &ZoltDb() { return m_zoltDb; }
    Connection &LabelDb() { return m_labelDb; }

    Recordset &rsGroup() { return *m_rsGroup; }
    Recordset &rsDetail() { return *m_rsDetail; }
    Recordset &rsDetail2() { return *m_rsDetail2; }
    Recordset &rsFol_Mask() { return *m_rsFol_Mask; }
    Recordset &rsFolioMask() { return *m_rsFolioMask; }
    Recordset &rsZoltSystem() { return *m_rsZoltSystem; }
    Recordset &rsVerify() { return *m_rsVerify; }
    Recordset &rsVerify2() { return *m_rsVerify2; }
    Recordset &rsCollection_District() { return *m_rsCollection_District; }
    Recordset &rsJurisdiction() { return *m_rsJurisdiction; }
    Recordset &rsCD_JUR() { return *m_rsCD_JUR; }
    Recordset &rsErrorMessage() { return *m_rsErrorMessage; }

    // The last trace step of the start-up, "(001)" to "(019)".
    QString traceStep() const { return m_traceStep; }

    // Tables every working database must hold, by connection. Tables that
    // came later (ZoltSettings) are added when missing.
    static const QStringList &ZoltTables();
    static const QStringList &ZoltDbTables();

private:
    DataEnvironment();
    void makeRecordsets();
    // Opens each connection on its catalogue and checks the tables.
    void openConnections();

    Connection m_zolt{QStringLiteral("Zolt")};
    Connection m_zoltDb{QStringLiteral("ZoltDb")};
    Connection m_labelDb{QStringLiteral("LabelDb")};
    std::unique_ptr<Recordset> m_rsGroup, m_rsDetail, m_rsDetail2, m_rsFol_Mask, m_rsFolioMask,
        m_rsZoltSystem, m_rsVerify, m_rsVerify2, m_rsCollection_District, m_rsJurisdiction,
        m_rsCD_JUR, m_rsErrorMessage;
    QString m_traceStep;
};

// The source of rsVerify: the folios in the given order ("NUMBER").
QString VerifySourceOrderedBy(const QString &orderBy);

// The source of rsDetail: the payments in the given order ("MORTCO, NAME").
QString DetailSourceOrderedBy(const QString &orderBy);
// The same for one agency's payments only.
QString AgencyDetailSourceOrderedBy(const QString &mortco, const QString &orderBy);

// Opens the database file at path and checks that it is a working database
// holding the tables; throws ZoltError naming the file and what is wrong.
std::shared_ptr<Database> OpenWorkingDatabase(const QString &path, const QStringList &tables);

}  // namespace zolt
