// zoltwin: the desktop program.

#include "app_icon.h"
#include "common/product.h"
#include "qt_user_dialog.h"
#include "single_instance.h"
#include "zolt_payment.h"

#include "common/session.h"
#include "common/shared_values.h"
#include "store/data_environment.h"
#include "widgets/screen_fit.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <cstdio>

using namespace zolt;

namespace {

// Ends the program when the main window closes, and only then: while a task's
// screens run the main window is hidden, and a box closing meanwhile must not
// count as the last window closing.
class QuitWhenClosed : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            // Looked at once the close has run: a refused close keeps the window.
            QPointer<QWidget> window = qobject_cast<QWidget *>(watched);
            QMetaObject::invokeMethod(
                qApp, [window] { if (!window || !window->isVisible()) QCoreApplication::quit(); },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char **argv)
{
    // Answered before any window system is needed.
    if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", qPrintable(VersionLine()));
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(ProductName());
    QApplication::setApplicationDisplayName(ProductName());
    QApplication::setApplicationVersion(QStringLiteral(ZOLT_VERSION));
    QApplication::setWindowIcon(app::AppIcon());

    app::QtUserDialog ui;
    const QString appDir = QApplication::applicationDirPath();

    // A second copy ends here, before it touches the database.
    app::SingleInstance instance(app::SingleInstance::lockPathFor(appDir));
    if (!instance.claim(ui))
        return 0;

    const QString exeName = QFileInfo(QApplication::applicationFilePath()).fileName();
    std::unique_ptr<DataEnvironment> de = DataEnvironment::start(appDir, exeName, ui);
    if (!de)
        return 1;  // the SEVERE ERROR message has been shown

    SharedValues shared;
    Session session{*de, ui, shared};
    QApplication::setQuitOnLastWindowClosed(false);
    app::ZoltPayment window(session);
    QuitWhenClosed quitWhenClosed;
    window.installEventFilter(&quitWhenClosed);
    FitInAvailableArea(&window);
    window.show();
    // zoltwin FILE starts with FILE chosen and the task of its kind.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty())
        window.chooseFile(arguments.first());
    return application.exec();
}
