// Paths in message boxes and wrapped lists break between folders, never
// inside one, and the box is as wide as the screen lets a path stay whole.

#include "widgets/folder_breaks.h"
#include "widgets/screen_fit.h"

#include <QLabel>
#include <QMessageBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

using namespace zolt;

namespace {

QString withoutMarks(QString text)
{
    return text.remove(QChar(0x200B)).remove(QChar(0x2060)).replace(QChar(0x00A0), u' ');
}

}  // namespace

class TestFolderBreaks : public QObject {
    Q_OBJECT

private slots:
    void breaksOnlyAfterTheSlashesOfPaths()
    {
        const QString text = "Cannot write /home/clerk/tax-files/Zoltdata.csv: PAYMENT TYPE A/B/C, 12/31 "
                             "(\"~/docs/MortNo1.xlsx\") in /srv/Tax Returns/2026 is in use?";
        const QString shown = WithFolderBreaks(text);
        QCOMPARE(withoutMarks(shown), text);
        QVERIFY(shown.contains(QString("/\u200Bhome/\u200Bclerk/\u200Btax-\u2060files/\u200BZoltdata.csv: ")));
        QVERIFY(shown.contains("PAYMENT TYPE A/B/C, 12/31 "));  // no paths
        QVERIFY(shown.contains(QString("(\"~/\u200Bdocs/\u200BMortNo1.xlsx\")")));
        QCOMPARE(LongestPath(text), QString("/home/clerk/tax-files/Zoltdata.csv:"));
        QCOMPARE(WithFolderBreaks("no path here"), QString("no path here"));
        // A blank in a folder's name holds the folder together.
        QVERIFY(shown.endsWith(QString(" /\u200Bsrv/\u200BTax\u00A0Returns/\u200B2026 is in use?")));
    }

    void boxWideEnoughForThePath()
    {
        const QString path = "/home/clerk/" + QString("folder/").repeated(8) + "Zoltdata.csv";
        const QString text = "Zolt could not read " + path + ". Check the file.\nCsv2Mdb Unexpected error # 53";
        QMessageBox box(QMessageBox::Critical, "Zolt", text, QMessageBox::Ok);
        ShowPathsWhole(box, text);
        auto *label = box.findChild<QLabel *>("qt_msgbox_label");
        QVERIFY(label);
        QCOMPARE(withoutMarks(box.text()), text);
        box.show();
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(path));
        QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), text);  // a pasted path works

        // A path wider than the screen: the box stays on it.
        const QString huge = "/" + QString("folder/").repeated(400) + "Zoltdata.csv";
        QMessageBox wide(QMessageBox::Critical, "Zolt", huge, QMessageBox::Ok);
        ShowPathsWhole(wide, huge);
        wide.show();
        QVERIFY(wide.width() <= AvailableArea(&wide).width());
    }
};

QTEST_MAIN(TestFolderBreaks)
#include "test_folder_breaks.moc"
