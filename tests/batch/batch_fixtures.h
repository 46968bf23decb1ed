#pragma once

#include "../payment/payment_fixture.h"
#include "support/test_session.h"

#include <QStringList>

namespace zolt::test {

// Payment lines enough for a file far larger than the test's file size
// limits: one owner, folio and legal description per line.
inline QStringList ManyPayments(int count)
{
    QStringList details;
    for (int i = 0; i < count; ++i)
        details << QStringLiteral("#%1,OWNER %1,05,101,#%1,100.00,A,100.00,90.00,80.00,0.00,LOT %1").arg(i);
    return details;
}

// A payment file of this year with one agency of that many payments.
inline void WritePaymentFile(const QString &path, int payments)
{
    PaymentFileText().year(ThisYear()).masks({QStringLiteral("10108####-####")})
        .group(QStringLiteral("1"), QStringLiteral("12"), ManyPayments(payments)).write(path);
}

// Folios enough for a workbook far larger than the test's file size limits.
inline void FillVerify(TestSession &t, int folios)
{
    t.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                          "INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, LEGAL, ADDR1) "
                          "SELECT ' ', '0012    ', printf('N%06d', i), 'OWNER NUMBER ' || i, '05', '010', "
                          "printf('%018d', i), printf('%09d', i), 'LOT ' || i, i || ' MAIN ST' FROM n")
               .arg(folios));
}

}  // namespace zolt::test
