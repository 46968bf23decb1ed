#pragma once

#include "common/session.h"
#include "common/user_dialog.h"
#include "store/data_environment.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace zolt::fuzz {

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

// A working database and a folder for the files of one fuzzing run, made at
// its first input and kept for the rest: in memory where the system offers
// it, since saves flush to disk.
struct Workplace {
    QTemporaryDir dir;
    std::unique_ptr<DataEnvironment> de;
    SilentDialog ui;
    SharedValues shared;
    std::unique_ptr<Session> session;

    Workplace();
    QString file(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
};

Workplace &TheWorkplace();

// A promise the code under test broke: the fuzzer records the input.
void Check(bool promise);

}  // namespace zolt::fuzz
