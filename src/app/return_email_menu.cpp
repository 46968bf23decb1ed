#include "return_email_menu.h"

#include "common/errors.h"
#include "common/session.h"
#include "store/return_email.h"

#include <QAction>
#include <QMenu>

namespace zolt::app {

void EditReturnEmail(Session &session)
{
    try {
        const QString answer = session.ui.inputBox(
            QStringLiteral("The e-mail address that completed files are returned to:"),
            QStringLiteral("Return E-mail Address"), ReturnEmail(session.de));
        if (!answer.trimmed().isEmpty())
            SetReturnEmail(session.de, answer);
    } catch (const ZoltError &e) {
        session.ui.message(QStringLiteral("The return e-mail address could not be saved: ") + e.description(),
                           MessageIcon::Critical);
    }
}

void AddReturnEmailMenuItem(QMenu *menu, Session &session)
{
    QAction *item = menu->addAction(QStringLiteral("Return &E-mail Address..."));
    item->setObjectName(QStringLiteral("mnuFileReturnEmail"));
    QObject::connect(item, &QAction::triggered, menu, [&session] { EditReturnEmail(session); });
}

}  // namespace zolt::app
