#include "recording_dialog.h"

namespace zolt::test {

void RecordingDialog::message(const QString &text, MessageIcon icon, const QString &title)
{
    said.append({Said::Message, text, title, icon});
}

bool RecordingDialog::askYesNo(const QString &text, const QString &title, MessageIcon icon)
{
    said.append({Said::Question, text, title, icon});
    return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
}

QString RecordingDialog::inputBox(const QString &prompt, const QString &title, const QString &)
{
    said.append({Said::Input, prompt, title, MessageIcon::None});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
}

QString RecordingDialog::chooseFolder(const QString &title, const QString &)
{
    said.append({Said::Input, QStringLiteral("(folder)"), title, MessageIcon::None});
    return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
}

QString RecordingDialog::chooseFile(const QString &title, const QString &start, const QString &filter)
{
    said.append({Said::Input, QStringLiteral("(file in %1: %2)").arg(start, filter), title, MessageIcon::None});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

void RecordingDialog::progress(const QString &text, qint64 done, qint64 total)
{
    lastProgress = text;
    progressReports.append({text, done, total});
    if (onProgress)
        onProgress(progressReports.last());
}

QList<RecordingDialog::Progress> RecordingDialog::progressOf(const QString &text) const
{
    QList<Progress> out;
    for (const Progress &p : progressReports) {
        if (p.text == text)
            out << p;
    }
    return out;
}

QStringList RecordingDialog::messages() const
{
    QStringList out;
    for (const Said &s : said) {
        if (s.kind == Said::Message)
            out << s.text;
    }
    return out;
}

QStringList RecordingDialog::questions() const
{
    QStringList out;
    for (const Said &s : said) {
        if (s.kind == Said::Question)
            out << s.text;
    }
    return out;
}

}  // namespace zolt::test
