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
        // An answer that is no address is said and asked again, as typed;
        // no answer keeps the address there is.
        QString answer = ReturnEmail(session.de);
        for (;;) {
            answer = session.ui.inputBox(QStringLiteral("The e-mail address that completed files are returned to:"),
                                         QStringLiteral("Return E-mail Address"), answer).trimmed();
            if (answer.isEmpty())
                return;
            if (LooksLikeEmailAddress(answer))
                break;
            session.ui.message(QStringLiteral("\"%1\" does not look like an e-mail address. Type it as "
                                              "name@example.com, without blanks.")
                                   .arg(answer),
                               MessageIcon::Exclamation, QStringLiteral("Return E-mail Address"));
        }
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
