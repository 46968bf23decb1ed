#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zolt {
struct Session;
class PathLabel;
class ReturnByEmailFrame;
}

namespace zolt::payment_screens {

// After the payment file was saved: the total to compare with the cheque,
// how to return the file by e-mail, and copies of it to a removable drive
// or a folder of the user's choice.
class ZOLT_ReturnInstructions : public QDialog {
    Q_OBJECT
public:
    explicit ZOLT_ReturnInstructions(Session &session, QWidget *parent = nullptr);

    // Shows the total of all agencies and the file last chosen.
    void Form_Load();

    // The removable drives "Drive A" and "Drive B" copy to (the first and
    // second); by default the volumes mounted now.
    void setRemovableVolumes(std::function<QStringList()> volumes) { m_volumes = std::move(volumes); }

    QString fileName() const { return m_path; }

private:
    void buildControls();
    QWidget *buildCopyFrame();
    // Copies the file into the folder as Zoltdata.csv; driveHint names the
    // drive in the error messages.
    void copyTo(const QString &folder, const QString &driveHint);
    void copyToVolume(int index, const QString &drive);
    void Command_CopyToFolder_Click();
    void setButtonsEnabled(bool enabled);

    Session &m_session;
    std::function<QStringList()> m_volumes;
    QString m_path;  // the payment file, empty when unknown
    QLabel *m_labelPayment = nullptr;
    ReturnByEmailFrame *m_emailFrame = nullptr;
    PathLabel *m_labelFileName2 = nullptr;
    QLineEdit *m_textMsg = nullptr;
    QList<QPushButton *> m_buttons;
};

}  // namespace zolt::payment_screens
