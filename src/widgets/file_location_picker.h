#pragma once

#include <QWidget>

class QLabel;

namespace zolt {

class DirList;
class DriveList;
class FileList;

// The drive, directory and file lists of a window that picks an input file,
// with their labels "Disk", "Directory" and "Files". Choosing a drive moves the
// directory list to its root; the file list follows the directory list.
class FileLocationPicker : public QWidget {
    Q_OBJECT
public:
    explicit FileLocationPicker(QWidget *parent = nullptr);

    DriveList *driveList() const { return m_drive; }
    DirList *dirList() const { return m_dir; }
    FileList *fileList() const { return m_file; }
    // Label_Disk, Label_Directory and Label_Files, in that order.
    QList<QLabel *> labels() const;

    QString drive() const;
    // Chooses the drive and moves the directory list to its root.
    void setDrive(const QString &drive);
    QString directory() const;
    // Makes path the current folder (the drive list follows); false when it
    // is not an existing folder.
    bool setDirectory(const QString &path);
    QString fileName() const;
    // Chooses a file of the current folder; see FileList::setFileName.
    void setFileName(const QString &name);
    void setPattern(const QString &pattern);

    // The directory path, a "/" when it does not end in one, and the file
    // name; the bare directory path with a "/" when no file is selected.
    QString selectedPath() const;
    // The path of a file of that name in the current folder, listed or not.
    QString pathOf(const QString &name) const;

signals:
    void directoryChanged(const QString &path);
    // A file was clicked (fileClicked) or double-clicked / entered (fileActivated).
    void fileClicked(const QString &name);
    void fileActivated(const QString &name);

private:
    void showKeyboardFocus();

    DriveList *m_drive;
    DirList *m_dir;
    FileList *m_file;
    QLabel *m_labelDisk;
    QLabel *m_labelDirectory;
    QLabel *m_labelFiles;
};

}  // namespace zolt
