#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace zolt {
struct SharedValues;
}

namespace zolt::app {

// Shows a long message with its title in a fixed-pitch box. The caller fills
// gInfoKind, gInfoTitle and gInfoText and shows it modally; when it closes the
// three are emptied, so a later caller never shows a stale title. "CRITICAL"
// (in any case) as gInfoKind selects the critical picture. While it is open
// the mouse pointer is the normal one; the pointer found at load is restored.
class Form_InformationDialog : public QDialog {
    Q_OBJECT
public:
    explicit Form_InformationDialog(SharedValues &shared, QWidget *parent = nullptr);
    ~Form_InformationDialog() override;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void unload();

    SharedValues &m_shared;
    bool m_pointerPushed = false;
    bool m_unloaded = false;
};

}  // namespace zolt::app
