#pragma once

#include "recording_dialog.h"

#include "common/session.h"
#include "store/data_environment.h"

#include <QTemporaryDir>
#include <memory>

namespace zolt::test {

// A fresh working database in a temporary folder, with a session over it.
class TestSession {
public:
    TestSession();

    QString dir() const { return m_dir.path(); }
    QString dbPath() const;
    // A path inside the temporary folder.
    QString file(const QString &name) const { return m_dir.filePath(name); }

    DataEnvironment &de() { return *m_de; }
    RecordingDialog ui;
    SharedValues shared;
    Session &session() { return m_session; }

    // Runs SQL on the database directly (to set up or read back rows).
    void exec(const QString &sql);
    QVariant scalar(const QString &sql);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<DataEnvironment> m_de;
    Session m_session;
};

// A session over a database file that is already there, as a child
// process or the next start of the program opens it.
struct FileSession {
    explicit FileSession(const QString &path) : de(DataEnvironment::openFile(path)) {}

    std::unique_ptr<DataEnvironment> de;
    RecordingDialog ui;
    SharedValues shared;
    Session session{*de, ui, shared};
};

}  // namespace zolt::test
