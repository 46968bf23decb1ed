#pragma once

#include "payment_screens/payment_navigator.h"
#include "verify_screens/verify_navigator.h"

class QDialog;
class QString;
class QWidget;

namespace zolt {
struct Session;
}

namespace zolt::app {

// The program's navigator: the screens of both tasks, and the About box,
// each shown modally over the parent. run() is what a test replaces to play
// the user on the real screen.
class ScreenNavigator : public payment_screens::PaymentNavigator, public verify_screens::VerifyNavigator {
public:
    ScreenNavigator(Session &session, QWidget *parent) : m_session(session), m_parent(parent) {}

    void showDuplicateFolios(const payment::DuplicateFolioStore &duplicates) override;
    void showGroup() override;
    void showGroupAgency() override;
    void showDetail() override;
    void showDetailAdd() override;
    void showDetailChange() override;
    void showDetailDelete() override;
    void showDetailSearch() override;
    void showInformationDialog() override;
    void showReturnInstructions() override;
    bool showVerifyNumbers() override;
    void showVerifyNumberAdd() override;
    void showVerifyNumberChange() override;
    void showVerifyNumberDelete() override;
    void showVerifyNumbersSearch() override;
    void showReturnInstructions2() override;
    void showAbout();
    // The user guide at guidePath, or a message that it is missing.
    void showUserGuide(const QString &guidePath);
    // The check of a verification workbook a mortgage company returned.
    virtual void showVerifyReturn();

protected:
    // Runs a built and loaded screen until it closes; answers its result.
    virtual int run(QDialog &screen);

    Session &session() { return m_session; }

private:
    // Answers the screen's result.
    template <typename Screen, typename... Arguments>
    int open(Arguments &&...arguments);

    Session &m_session;
    QWidget *m_parent;
};

}  // namespace zolt::app
