#pragma once

#include "common/user_dialog.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace zolt::test {

// The user dialog of the tests: remembers everything said, answers questions
// and input boxes from scripts (No and the empty text when a script runs out).
class RecordingDialog : public UserDialog {
public:
    struct Said {
        enum Kind { Message, Question, Input } kind;
        QString text;
        QString title;
        MessageIcon icon;
    };
    struct Progress {
        QString text;
        qint64 done;
        qint64 total;
    };

    void message(const QString &text, MessageIcon icon, const QString &title) override;
    bool askYesNo(const QString &text, const QString &title, MessageIcon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString chooseFolder(const QString &title, const QString &start) override;
    QString chooseFile(const QString &title, const QString &start, const QString &filter) override;
    void beep() override { ++beeps; }
    void letEventsRun() override
    {
        ++eventRuns;
        if (onEventsRun)
            onEventsRun();
    }
    void setBusy(bool on) override { busy = on; }
    void progress(const QString &text, qint64 done, qint64 total) override;

    QList<Said> said;
    QList<bool> yesNoAnswers;
    QStringList inputAnswers;
    QStringList folderAnswers;  // answers of the folder dialog, in order
    QStringList fileAnswers;    // answers of the file dialog, in order
    int beeps = 0;
    int eventRuns = 0;
    bool busy = false;
    QString lastProgress;
    QList<Progress> progressReports;
    // Runs after each progress report is recorded: a test acts here from
    // inside long work, as a user would while it runs (closes the window).
    std::function<void(const Progress &)> onProgress;
    // Runs each time the work lets the window's events run.
    std::function<void()> onEventsRun;

    // Texts of the message boxes only, in order.
    QStringList messages() const;
    QStringList questions() const;
    // The reports of the work that reported text.
    QList<Progress> progressOf(const QString &text) const;
    void clear() { said.clear(); beeps = 0; }
};

}  // namespace zolt::test
