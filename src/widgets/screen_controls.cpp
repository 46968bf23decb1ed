#include "screen_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zolt {

QPushButton *MakeButton(const char *name, const QString &caption, const QString &tip, QWidget *parent)
{
    auto *button = Named(new QPushButton(caption, parent), name);
    button->setToolTip(tip);
    return button;
}

QLabel *MakeLabel(const char *name, const QString &text, QWidget *parent)
{
    return Named(new QLabel(text, parent), name);
}

QLabel *MakeHeading(const char *name, const QString &text, QWidget *parent)
{
    QLabel *heading = MakeLabel(name, text, parent);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    heading->setFont(big);
    return heading;
}

QGroupBox *MakeFrame(const char *name, const QString &caption, QWidget *parent)
{
    return Named(new QGroupBox(caption, parent), name);
}

QRadioButton *MakeOption(const char *name, const QString &caption, QWidget *parent)
{
    return Named(new QRadioButton(caption, parent), name);
}

QLineEdit *MakeMessageLine(const QString &text, QWidget *parent)
{
    auto *line = Named(new QLineEdit(text, parent), "Text_Msg");
    line->setReadOnly(true);
    line->setFocusPolicy(Qt::NoFocus);
    // A message longer than the line shows its start, not its end.
    QObject::connect(line, &QLineEdit::textChanged, line, [line] { line->setCursorPosition(0); });
    line->setCursorPosition(0);
    // Wide enough for its first message in the font in use.
    line->setMinimumWidth(line->fontMetrics().horizontalAdvance(text) + 16);
    line->setToolTip(text);
    QObject::connect(line, &QLineEdit::textChanged, line, &QLineEdit::setToolTip);
    return line;
}

int TwipsToPixels(int twips, const QWidget *widget)
{
    return twips * widget->logicalDpiX() / 1440;
}

}  // namespace zolt
