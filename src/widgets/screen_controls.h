#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace zolt {

// The controls screens are made of, each carrying its name as its object
// name, so that tests and accessibility tools find it.
template <typename W>
W *Named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton *MakeButton(const char *name, const QString &caption, const QString &tip, QWidget *parent);
QLabel *MakeLabel(const char *name, const QString &text, QWidget *parent);
// A screen's title line: the label in a larger bold face.
QLabel *MakeHeading(const char *name, const QString &text, QWidget *parent);
QGroupBox *MakeFrame(const char *name, const QString &caption, QWidget *parent);
QRadioButton *MakeOption(const char *name, const QString &caption, QWidget *parent);
// A screen's one-line message field: read-only, never takes the focus.
QLineEdit *MakeMessageLine(const QString &text, QWidget *parent);

// Twips (1,440 to the inch) as pixels of the widget's screen.
int TwipsToPixels(int twips, const QWidget *widget);

}  // namespace zolt
