#pragma once

#include <QDialog>

namespace zolt::app {

// Where the user guide lies: doc/guide.md in the program's folder (the
// build and the install both put it there, its pictures in doc/images).
QString UserGuidePath(const QString &programFolder);

// The user guide, shown with its pictures; Close or Escape leaves it.
class UserGuide : public QDialog {
    Q_OBJECT
public:
    explicit UserGuide(const QString &guidePath, QWidget *parent = nullptr);
};

}  // namespace zolt::app
