#pragma once

#include <QListWidget>

namespace zolt {

// The file list: the regular, non-hidden files of one folder whose names match
// the pattern ("*.csv"; several patterns separated by ";"), compared without
// regard to case. Read-only files are listed too, so that the program can ask
// about them when one is chosen.
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
    // Selects the file of that name; clears the selection when it is not listed.
    void setFileName(const QString &name);
    // Reads the folder again, keeping the selection.
    void refresh();

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};

}  // namespace zolt
