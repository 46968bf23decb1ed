#include "verify_entry.h"

namespace zolt::verify_screens {

VerifyEntry::VerifyEntry(Kind kind, Session &session, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_session(session)
{
    setObjectName(kind == Kind::Add      ? QStringLiteral("Verify_Number_Add")
                  : kind == Kind::Change ? QStringLiteral("Verify_Number_Change")
                                         : QStringLiteral("Verify_Number_Delete"));
}

void VerifyEntry::Form_Load()
{
}

}  // namespace zolt::verify_screens
