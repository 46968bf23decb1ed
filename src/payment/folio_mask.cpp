#include "folio_mask.h"

#include "common/session.h"
#include "common/text_utils.h"
#include "store/data_environment.h"
#include "store/recordset.h"

namespace zolt::payment {
namespace {

FolioMask maskOfRow(const Recordset &rs)
{
    return FolioMask{rs.text(QStringLiteral("FOLIO_MASK")), int(rs.number(QStringLiteral("FOLIO_LEN")))};
}

QString formatWith(Session &session, Recordset &rs, const QString &jurCd, const QString &folio)
{
    rs.ensureOpen();
    if (rs.recordCount() == 0)
        return ApplyFolioMask(DefaultFolioMask(folio), folio);
    rs.moveFirst();
    if (rs.text(QStringLiteral("JUR_CD")) == jurCd)
        return ApplyFolioMask(maskOfRow(rs), folio);
    session.shared.gFindCriteria = JurisdictionCriteria(jurCd);
    rs.moveFirst();
    if (rs.find(session.shared.gFindCriteria))
        return ApplyFolioMask(maskOfRow(rs), folio);
    return ApplyFolioMask(DefaultFolioMask(folio), folio);
}

}  // namespace

FolioMask DefaultFolioMask(const QString &folio)
{
    const QString places(TrimBlanks(folio).size(), u'#');
    return FolioMask{places.size() >= 20 ? places : places + QString(20 - places.size(), u' '), 18};
}

QString ApplyFolioMask(const FolioMask &mask, const QString &folio)
{
    const QStringView digits = QStringView(folio).right(std::max(mask.length, 0));
    QString out(mask.mask.size(), Qt::Uninitialized);
    QChar *to = out.data();
    qsizetype next = 0;
    for (QChar m : mask.mask) {
        if (m != u'#')
            *to++ = m;
        else if (next < digits.size())
            *to++ = digits[next++];
    }
    out.truncate(to - out.constData());
    return out;
}

QString JurisdictionCriteria(const QString &jurCd)
{
    return QStringLiteral("JUR_CD = ") + QuoteCriteria(jurCd);
}

QString FormatFolio(Session &session, const QString &jurCd, const QString &folio)
{
    return formatWith(session, session.de.rsFol_Mask(), jurCd, folio);
}

QString FormatFolioStanding(Session &session, const QString &jurCd, const QString &folio)
{
    return formatWith(session, session.de.rsFolioMask(), jurCd, folio);
}

FolioMaskTable::FolioMaskTable(Recordset &masks)
{
    masks.ensureOpen();
    for (masks.moveFirst(); !masks.eof(); masks.moveNext())
        add(masks.text(QStringLiteral("JUR_CD")), masks.text(QStringLiteral("FOLIO_MASK")),
            int(masks.number(QStringLiteral("FOLIO_LEN"))));
}

bool FolioMaskTable::add(const QString &jurCd, const QString &mask, int length)
{
    const QString key = jurCd.toUpper();
    if (m_masks.contains(key))
        return false;
    m_masks.insert(key, FolioMask{mask, length});
    return true;
}

QString FolioMaskTable::display(const QString &jurCd, const QString &folio) const
{
    const FolioMask *mask = find(jurCd);
    return ApplyFolioMask(mask ? *mask : DefaultFolioMask(folio), folio);
}

const FolioMask *FolioMaskTable::find(const QString &jurCd) const
{
    // Codes are upper case as a rule: looked up as they are first.
    auto it = m_masks.constFind(jurCd);
    if (it == m_masks.constEnd())
        it = m_masks.constFind(jurCd.toUpper());
    return it != m_masks.constEnd() ? &*it : nullptr;
}

}  // namespace zolt::payment
