#pragma once

#include <QListWidget>

namespace zolt {

// The file list: the regular, non-hidden files of one folder whose names match
// the pattern ("*.csv"; several patterns separated by ";"), compared without
// regard to case. Read-only files are listed too, so that the program can ask
// about them when one is chosen.
//
// The current item (where the arrow keys and the keyboard focus are) is the
// selected one, so that what the list shows, what Enter activates and
// fileName() agree.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);

    // The selected file's name; empty when none is selected.
    QString fileName() const;
    // Chooses the file of that name: it is selected now if it is listed, and
    // whenever a new pattern lists it, as long as the folder stays the same
    // and no other file is chosen.
    void setFileName(const QString &name);
    // Reads the folder again, keeping the choice.
    void refresh();

private:
    void selectChosen();

    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QString m_chosen;
};

}  // namespace zolt
