#include "keyboard_audit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

namespace zolt::test {
namespace {

QString NameOf(const QObject *object)
{
    return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                          : object->objectName();
}

// The text whose "&" letter a control answers to, empty for none.
QString MnemonicText(const QWidget *widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->buddy())
        return label->text();
    return QString();
}

bool InWindow(const QWidget *widget, const QWidget &window)
{
    return widget->window() == &window && widget->isVisibleTo(&window);
}

bool Reachable(const QWidget *widget, const QWidget &window)
{
    if (!InWindow(widget, window) || !widget->isEnabled() || !(widget->focusPolicy() & Qt::TabFocus))
        return false;
    if (widget->focusProxy())
        return false;
    // Tab stops at the checked option of a group; the arrows move between them.
    if (const auto *option = qobject_cast<const QRadioButton *>(widget))
        return option->isChecked() || !option->autoExclusive();
    return true;
}

}  // namespace

QStringList MnemonicClashes(QWidget &window)
{
    QMap<QString, QStringList> claims;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (!InWindow(widget, window))
            continue;
        const QKeySequence key = QKeySequence::mnemonic(MnemonicText(widget));
        if (!key.isEmpty())
            claims[key.toString()] << NameOf(widget);
    }
    if (const auto *bar = window.findChild<QMenuBar *>()) {
        for (const QAction *action : bar->actions()) {
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            if (action->isVisible() && !key.isEmpty())
                claims[key.toString()] << (action->menu() ? NameOf(action->menu()) : NameOf(action));
        }
    }
    QStringList clashes;
    for (auto it = claims.cbegin(); it != claims.cend(); ++it) {
        if (it.value().size() > 1)
            clashes << it.key() + QStringLiteral(": ") + it.value().join(QStringLiteral(", "));
    }
    return clashes;
}

QStringList TabChain(QWidget &window)
{
    QStringList chain;
    QWidget *first = QApplication::focusWidget();
    if (!first || first->window() != &window)
        return {QStringLiteral("LOST")};
    QWidget *at = first;
    for (int step = 0; step < 200; ++step) {
        chain << NameOf(at);
        QTest::keyClick(at, Qt::Key_Tab);
        QWidget *next = QApplication::focusWidget();
        if (!next || next->window() != &window)
            return chain << QStringLiteral("LOST");
        if (next == first)  // round, also when the window has one control
            return chain;
        if (next == at)
            return chain << QStringLiteral("STUCK");
        at = next;
    }
    return chain << QStringLiteral("NO END");
}

QStringList UnreachedByTab(QWidget &window, const QStringList &chain)
{
    QStringList missed;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (Reachable(widget, window) && !chain.contains(NameOf(widget)))
            missed << NameOf(widget);
    }
    return missed;
}

}  // namespace zolt::test
