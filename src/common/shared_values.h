#pragma once

#include <QString>
#include <QVariant>

namespace zolt {

// The values the screens and procedures share. One instance lives with the
// session, so tests can start from a clean set.
struct SharedValues {
    QString gFilter;        // criteria text last applied to a recordset filter
    QString gSQL;           // SQL text last given to a recordset as its source
    QVariant gBookmark;     // rsVerify bookmark kept by the change screen's Next
    QString gFindCriteria;  // criteria of the last find on a reference recordset
    QString gInfoKind;      // "CRITICAL" or "Informational"
    QString gInfoTitle;
    QString gInfoText;

    void reset() { *this = SharedValues(); }
};

}  // namespace zolt
