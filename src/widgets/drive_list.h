#pragma once

#include <QComboBox>

namespace zolt {

// The drive list: the mounted volumes of the machine, each shown by its root
// folder (and its label when it has one). Pseudo file systems are left out.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);

    // Root folder of the chosen volume ("/" or "/media/usb").
    QString drive() const;
    // Chooses the volume whose root is path, or else the volume holding path
    // (added to the list when it was left out). Emits no signal.
    void setDrive(const QString &path);
    // Reads the mounted volumes again, keeping the choice.
    void refresh();

    // The list is read again each time it opens, so a volume mounted since shows up.
    void showPopup() override;

signals:
    // The user chose another volume; root is its root folder.
    void driveChosen(const QString &root);

private:
    int addVolume(const QString &root, const QString &label);
};

}  // namespace zolt
