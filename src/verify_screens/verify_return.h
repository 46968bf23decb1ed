#pragma once

#include "verify/verify_load.h"

#include <QDialog>

class QFrame;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace zolt {
struct Session;
class DataGrid;
class FileLocationPicker;
}

namespace zolt::verify_screens {

// The return check: a verification workbook returned by a mortgage company
// is loaded with its messages listed, its folios shown and written to the
// verified file beside it; the message list can be printed as an error
// report. Clicking a file starts the check.
class Verify_Return : public QDialog, private verify::VerifyMessageList {
    Q_OBJECT
public:
    explicit Verify_Return(Session &session, QWidget *parent = nullptr);

    // The file list in the user's home folder, the messages cleared, the
    // folio frame disabled until a check loads something.
    void Form_Load();

    void Command_OK_Click();
    void Command_PrintErrors_Click();

    FileLocationPicker *picker() const { return m_picker; }
    QStringList messages() const;

private:
    void addLine(const QString &line) override;
    void enablePrintErrors() override;

    void buildControls();
    QGroupBox *buildSelectFrame();
    QGroupBox *buildVerificationFrame();
    // Shows whether a check has folios to upload.
    void showLoaded(bool loaded);

    Session &m_session;
    QString m_selectedPath;
    FileLocationPicker *m_picker = nullptr;
    QPushButton *m_commandOk = nullptr;
    QListWidget *m_listMsg = nullptr;
    QPushButton *m_commandPrintErrors = nullptr;
    QGroupBox *m_frameVerificationFile = nullptr;
    QFrame *m_shapeVerificationFile = nullptr;
    DataGrid *m_grid = nullptr;
    QPushButton *m_commandUpload = nullptr;
    bool m_checking = false;
};

}  // namespace zolt::verify_screens
