#pragma once

#include <QString>

class QWidget;

namespace zolt::payment_screens {
class PaymentNavigator;
}
namespace zolt::verify_screens {
class VerifyNavigator;
}

namespace zolt::app {

// What the main window offers the payment and verification tasks once the
// chosen file has been checked and remembered. The tasks load the file, run
// their screens, save the result and end the program through it.
// The message line after the user cancelled the load of the chosen file.
inline const QString LoadCancelledLine =
    QStringLiteral("Loading cancelled: nothing was loaded. Choose a file and press the button again.");

class TaskHost {
public:
    virtual ~TaskHost() = default;

    // Full path of the chosen input file. A task that saves under another
    // name (after a failed save) changes it.
    virtual QString selectedPath() const = 0;
    virtual void setSelectedPath(const QString &path) = 0;

    // The message line (Text_Msg).
    virtual QString message() const = 0;
    virtual void setMessage(const QString &text) = 0;

    // Enables the button that started the task and the Exit button again, so
    // the user can pick another file (after a failed load or a refused year).
    virtual void enableButtons() = 0;
    // Shows or hides the two option frames (Frame_File_Type and
    // Frame_UseOnlyCurrentYearData).
    virtual void setFramesVisible(bool fileType, bool currentYear) = 0;
    // True when "No" is chosen under "Use Only Current Year Data": data of
    // other years may be worked on.
    virtual bool historicalDataAllowed() const = 0;

    // Takes the window out of sight while the task's screens run modally, and
    // brings it back in the same place.
    virtual void hideWindow() = 0;
    virtual void showWindow() = 0;
    // The saving state: lists, labels, buttons, the message line and the
    // current-year frame hidden (the file type frame too when hideFileType),
    // "Please Wait While Saving the Zolt data!" shown.
    virtual void showSaving(bool hideFileType) = 0;

    // Owner of the task's modal screens and boxes.
    virtual QWidget *dialogParent() = 0;
    // Opens the tasks' screens.
    virtual payment_screens::PaymentNavigator &paymentScreens() = 0;
    virtual verify_screens::VerifyNavigator &verifyScreens() = 0;
    // Closes the main window, which ends the program.
    virtual void closeWindow() = 0;
};

}  // namespace zolt::app
