#include "qt_user_dialog.h"

#include "widgets/folder_breaks.h"
#include "widgets/screen_fit.h"

#include "common/product.h"
#include "information_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include <algorithm>

namespace zolt::app {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QWidget *DialogOwner()
{
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    // Never the progress dialog: it goes away while boxes may still be open.
    while (qobject_cast<QProgressDialog *>(owner))
        owner = owner->parentWidget();
    return owner;
}

QString BoxTitle(const QString &title)
{
    return title.isEmpty() ? ProductName() : title;
}

QtUserDialog::~QtUserDialog()
{
    closeProgress();
    if (m_busy)
        QApplication::restoreOverrideCursor();
}

void QtUserDialog::message(const QString &text, MessageIcon icon, const QString &title)
{
    QMessageBox box(boxIcon(icon), BoxTitle(title), text, QMessageBox::Ok, DialogOwner());
    ShowPathsWhole(box, text);
    box.exec();
}

bool QtUserDialog::askYesNo(const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), BoxTitle(title), text, QMessageBox::Yes | QMessageBox::No,
                    DialogOwner());
    ShowPathsWhole(box, text);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtUserDialog::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(DialogOwner(), BoxTitle(title), prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

void QtUserDialog::informationDialog(SharedValues &shared)
{
    Form_InformationDialog dialog(shared, DialogOwner());
    FitInAvailableArea(&dialog);
    dialog.exec();
}

QString QtUserDialog::chooseFolder(const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(DialogOwner(), BoxTitle(title), start);
}

QString QtUserDialog::chooseFile(const QString &title, const QString &start, const QString &filter)
{
    return QFileDialog::getOpenFileName(DialogOwner(), BoxTitle(title), start, filter);
}

void QtUserDialog::beep()
{
    QApplication::beep();
}

void QtUserDialog::letEventsRun()
{
    QApplication::processEvents();
}

void QtUserDialog::setBusy(bool busy)
{
    if (busy && !m_busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!busy && m_busy)
        QApplication::restoreOverrideCursor();
    m_busy = busy;
    if (!busy)
        closeProgress();
}

void QtUserDialog::progress(const QString &text, qint64 done, qint64 total)
{
    if (cancelRequested())
        return;  // the work ends at this report
    if (!m_progress)
        openProgress();
    // QProgressDialog counts in int; large counts are scaled to per mille.
    const bool known = total > 0;
    m_progress->setRange(0, known ? 1000 : 0);
    m_progress->setValue(known ? int(std::clamp<qint64>(done * 1000 / total, 0, 1000)) : 0);
    const QString count = known ? QStringLiteral("%L1 of %L2").arg(done).arg(total) : QStringLiteral("%L1").arg(done);
    m_progress->setLabelText(text + u'\n' + count
                             + (cancellable() ? QString() : QStringLiteral("\nThis cannot be cancelled halfway.")));
    m_progress->show();
    QApplication::processEvents();
    if (known && done >= total)
        closeProgress();
}

void QtUserDialog::openProgress()
{
    QWidget *owner = DialogOwner();
    m_progress = new QProgressDialog(owner);
    m_progress->setWindowTitle(ProductName());
    m_progress->setWindowModality(Qt::ApplicationModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumWidth(360);
    if (cancellable()) {
        m_progress->setCancelButtonText(QStringLiteral("Cancel"));
        QObject::connect(m_progress, &QProgressDialog::canceled, m_progress, [this] { requestCancel(); });
    } else {
        m_progress->setCancelButton(nullptr);
        // Closing it is closing the program while it works.
        QObject::connect(m_progress, &QProgressDialog::canceled, m_progress, [this] { askToStop(); });
    }
    // Over the window at work, not where the window manager would put a
    // window of its own.
    m_progress->setLabelText(QStringLiteral("\n0\n"));
    m_progress->adjustSize();
    CentreOver(m_progress, owner);
}

void QtUserDialog::closeProgress()
{
    if (m_progress) {
        delete m_progress.data();
        m_progress = nullptr;
    }
}

}  // namespace zolt::app
