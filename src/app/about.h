#pragma once

#include <QDialog>
#include <QStringList>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace zolt {
class UserDialog;
class ClickableLabel;
}

namespace zolt::app {

// The About box: title, version, description and installation note; starts
// the system information program, prints its own picture, and plays two small
// animations (a line gliding to and fro, and the credits, shown and hidden by
// a click on the program's picture). The animations stop when it closes.
class About : public QDialog {
    Q_OBJECT
public:
    explicit About(UserDialog &ui, QWidget *parent = nullptr);

    // Folders searched for the system information program; the PATH by default.
    void setProgramSearchPath(const QStringList &path) { m_searchPath = path; }

    // "Version " and the major, minor and revision numbers of a version text.
    static QString versionText(const QString &version);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildControls();
    void cmdSysInfo_Click();
    void Picture_Printer_Click();
    void picIcon_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void placeCredits(int labelTwips, int creditsTwips);
    int twipsToPixels(int twips) const;
    QColor nextColour();

    UserDialog &m_ui;
    QStringList m_searchPath;
    ClickableLabel *m_picIcon = nullptr;
    ClickableLabel *m_picturePrinter = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdSysInfo = nullptr;
    QWidget *m_creditsArea = nullptr;
    QFrame *m_line1 = nullptr;
    QLabel *m_label65 = nullptr;
    QLabel *m_label65b = nullptr;
    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    int m_colourIndex = 0;
    int m_fontStep = 0;
};

}  // namespace zolt::app
