#pragma once

#include "app/screen_navigator.h"
#include "app/zolt_payment.h"
#include "app/task_host.h"

#include <QDialog>
#include <QStringList>
#include <functional>

namespace zolt::test {

// Runs the screens a task opens without a modal loop: each is built and
// loaded as the program does, `play` acts on it as the user would (by
// default nothing: it is closed at once), and its name is kept in `shown`.
class TestNavigator : public app::ScreenNavigator {
public:
    using ScreenNavigator::ScreenNavigator;

    QStringList shown;
    std::function<void(QDialog &)> play;

protected:
    int run(QDialog &screen) override
    {
        shown << screen.objectName();
        if (play)
            play(screen);
        return screen.result();
    }
};

// The main window, its screens run by a TestNavigator.
class TestWindow : public app::ZoltPayment {
public:
    explicit TestWindow(Session &session) : ZoltPayment(session)
    {
        auto navigator = std::make_unique<TestNavigator>(session, this);
        screens = navigator.get();
        setNavigator(std::move(navigator));
    }

    TestNavigator *screens = nullptr;
};

// The main window as a task sees it.
class FakeTaskHost : public app::TaskHost {
public:
    explicit FakeTaskHost(Session &session) : screens(session, nullptr) {}

    QString selectedPath() const override { return path; }
    void setSelectedPath(const QString &p) override { path = p; }
    QString message() const override { return line; }
    void setMessage(const QString &text) override { line = text; }
    void enableButtons() override { buttonsEnabled = true; }
    void setFramesVisible(bool, bool) override {}
    bool historicalDataAllowed() const override { return optionNo; }
    void hideWindow() override {}
    void showWindow() override {}
    void showSaving(bool hideFileType) override
    {
        saving = true;
        savingHidFileType = hideFileType;
    }
    QWidget *dialogParent() override { return nullptr; }
    payment_screens::PaymentNavigator &paymentScreens() override { return screens; }
    verify_screens::VerifyNavigator &verifyScreens() override { return screens; }
    void closeWindow() override { closed = true; }

    TestNavigator screens;
    QString path;
    QString line;
    bool optionNo = false;
    bool buttonsEnabled = false;
    bool saving = false;
    bool savingHidFileType = false;
    bool closed = false;
};

}  // namespace zolt::test
