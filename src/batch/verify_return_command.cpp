#include "verify_return_command.h"

#include "batch_command.h"
#include "listed_messages.h"
#include "verify/return_check.h"

namespace zolt::batch {

int VerifyReturn(Session &session, const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(CommandNamed(QStringLiteral("verify-return")),
                          QStringLiteral("verify-return takes one file name"));
    PrintedList list;
    ListedMessagesDialog listedOnly(session.ui);
    Session listing{session.de, listedOnly, session.shared};
    const verify::ReturnCheckResult r = verify::CheckReturnedWorkbook(listing, args.first(), list);
    return r.folios == 0 || r.verifiedPath.isEmpty() ? Exit::Failed : Exit::Done;
}

}  // namespace zolt::batch
