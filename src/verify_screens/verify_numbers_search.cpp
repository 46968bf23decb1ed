#include "verify_numbers_search.h"

namespace zolt::verify_screens {

Verify_Numbers_Search::Verify_Numbers_Search(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Verify_Numbers_Search"));
}

void Verify_Numbers_Search::Form_Load()
{
}

}  // namespace zolt::verify_screens
