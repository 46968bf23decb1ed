#pragma once

#include <QHash>
#include <QString>

namespace zolt {
struct Session;
class Recordset;
}

namespace zolt::payment {

// A jurisdiction's folio layout: "#" for each digit place, any other
// character copied into the display form.
struct FolioMask {
    QString mask;
    int length = 18;  // significant digits: the rightmost ones of the folio
};

// The layout used for a jurisdiction without a mask row: one "#" per character
// of the trimmed folio, blanks up to 20 characters, length 18.
FolioMask DefaultFolioMask(const QString &folio);

// The folio laid into the mask.
QString ApplyFolioMask(const FolioMask &mask, const QString &folio);

// The display form of a folio by the jurisdiction's row in rsFol_Mask (the
// loaded file's masks) or rsFolioMask (the standing table). The criteria of a
// search are left in gFindCriteria, the recordset on the row found.
QString FormatFolio(Session &session, const QString &jurCd, const QString &folio);
QString FormatFolioStanding(Session &session, const QString &jurCd, const QString &folio);

// The same lookup over rows held in memory, for work on many folios at once.
// A jurisdiction's first row counts; codes compare without regard to case.
class FolioMaskTable {
public:
    FolioMaskTable() = default;
    // Every row of a mask recordset, in its order.
    explicit FolioMaskTable(Recordset &masks);

    // Adds a row unless the jurisdiction has one; answers whether it did.
    bool add(const QString &jurCd, const QString &mask, int length);
    bool contains(const QString &jurCd) const { return m_masks.contains(jurCd.toUpper()); }
    bool isEmpty() const { return m_masks.isEmpty(); }

    // The display form.
    QString display(const QString &jurCd, const QString &folio) const;
    // The jurisdiction's mask, or none (display then uses DefaultFolioMask).
    const FolioMask *find(const QString &jurCd) const;

private:
    QHash<QString, FolioMask> m_masks;  // by upper-case code
};

// "JUR_CD = '...'".
QString JurisdictionCriteria(const QString &jurCd);

}  // namespace zolt::payment
