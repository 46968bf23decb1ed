#pragma once

#include "support/widget_lookup.h"
#include "widgets/data_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace zolt::test {

// What a person does on a screen, shared by the tests of screens and the
// runs through the program.

// The list of a screen.
inline DataGrid &grid(QWidget &screen)
{
    return *child<DataGrid>(screen, "TDBGrid");
}

inline QPoint rowCentre(DataGrid &g, int row)
{
    return g.visualRect(g.model()->index(row, 1)).center();
}

inline void clickRow(QWidget &screen, int row)
{
    DataGrid &g = grid(screen);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, rowCentre(g, row));
}

// As the window system delivers a double-click: press, release, the
// double-click, release.
inline void doubleClickRow(QWidget &screen, int row)
{
    DataGrid &g = grid(screen);
    const QPoint at = rowCentre(g, row);
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, at);
}

// The screen's message line.
inline QString message(QWidget &screen)
{
    return child<QLineEdit>(screen, "Text_Msg")->text();
}

// Puts text in a field (a line or a combo box) and leaves it with Tab;
// answers whether the focus left.
inline bool typeAndLeave(QWidget &screen, const char *name, const QString &text)
{
    QWidget *field = child<QWidget>(screen, name);
    field->setFocus();
    if (auto *combo = qobject_cast<QComboBox *>(field))
        combo->setEditText(text);
    else
        static_cast<QLineEdit *>(field)->setText(text);
    QTest::keyClick(field, Qt::Key_Tab);
    return QApplication::focusWidget() != field;
}

// Shows a screen built outside the navigator and waits until it is active.
inline void shown(QWidget &screen)
{
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

}  // namespace zolt::test
