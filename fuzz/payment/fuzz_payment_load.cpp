// Feeds arbitrary bytes to the payment load as a whole file, over a working
// database that lives as long as the fuzzer. A file that loads must save, and
// the saved file must load again. A crash, a sanitizer report or a broken
// promise is a finding. (The payments themselves need not come back alike:
// a payment before any group is not saved, an agency with two groups is saved
// under both, as the file's format has it.)

#include "common/session.h"
#include "common/user_dialog.h"
#include "payment/payment_load.h"
#include "payment/payment_save.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "store/zolt_system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace zolt;

namespace {

// Messages go nowhere; questions are answered No.
class SilentDialog : public UserDialog {
public:
    void message(const QString &, MessageIcon, const QString &) override {}
    bool askYesNo(const QString &, const QString &, MessageIcon) override { return false; }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    void beep() override {}
    void letEventsRun() override {}
    void setBusy(bool) override {}
};

struct Workplace {
    // In memory where the system offers it: saves flush to disk.
    QTemporaryDir dir{QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/zolt-fuzz-XXXXXX")
                                                                 : QDir::tempPath() + QStringLiteral("/zolt-fuzz-XXXXXX")};
    std::unique_ptr<DataEnvironment> de;
    SilentDialog ui;
    SharedValues shared;
    std::unique_ptr<Session> session;

    Workplace()
    {
        const QString db = dir.filePath(QStringLiteral("Zolt.mdb"));
        CreateDatabaseFile(db);
        de = DataEnvironment::openFile(db);
        session = std::make_unique<Session>(Session{*de, ui, shared});
    }
    QString file(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
};

Workplace &workplace()
{
    static Workplace place;
    return place;
}

void check(bool promise)
{
    if (!promise)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Workplace &w = workplace();
    const QString input = w.file("Zoltdata.csv");
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const payment::PaymentLoadResult first = payment::Csv2Mdb(*w.session, input);
    if (!first.loaded())
        return 0;
    const QString saved = w.file("Saved.csv");
    const payment::SaveResult save =
        payment::Mdb2Csv(*w.session, ZoltSystem(*w.de).dataYear(), saved, w.file("Saved.bak"));
    check(save.saved);
    check(payment::Csv2Mdb(*w.session, saved).loaded());
    return 0;
}
