#include "detail_line_encoder.h"

#include "common/number_format.h"
#include "common/text_utils.h"
#include "common/windows1252.h"
#include "folio_mask.h"

#include <algorithm>

namespace zolt::payment {
namespace {

// Without commas and quotes the line needs no value cleaned and no quote
// stripped; without line breaks and NULs no value blanked.
bool hasNoSeparators(QByteArrayView text)
{
    return std::none_of(text.begin(), text.end(), [](char c) {
        return c == ',' || c == '"' || c == '\'' || c == '\r' || c == '\n' || c == '\0';
    });
}

QByteArrayView viewOf(const std::string &text)
{
    return QByteArrayView(text.data(), qsizetype(text.size()));
}

// The value without outer blanks, in Windows-1252.
bool appendTrimmed(std::string &line, QByteArrayView utf8)
{
    return AppendUtf8AsWindows1252(BlankTrimmed(utf8), line);
}

}  // namespace

DetailLineEncoder::DetailLineEncoder(const FolioMaskTable &masks)
    : m_masks(masks)
{
}

bool DetailLineEncoder::appendPlain(const StoredDetailBytes &row, QByteArray &out)
{
    for (QByteArrayView text : {row.number, row.name, row.cd, row.jur, row.folio, row.abc, row.legal}) {
        if (!hasNoSeparators(text))
            return false;
    }
    // The folio's digits are laid out by character.
    if (!IsAscii(row.folio) || !layFolio(row.jur, row.folio))
        return false;
    // The line starts with "#" and ends with a trimmed value or a comma:
    // there is nothing to trim from it.
    m_line.clear();
    m_line += '#';
    bool encoded = appendTrimmed(m_line, row.number);
    for (QByteArrayView text : {row.name, row.cd, row.jur}) {
        m_line += ',';
        encoded = encoded && appendTrimmed(m_line, text);
    }
    m_line += ",#";
    const QByteArrayView folio = BlankTrimmed(viewOf(m_folio));  // already Windows-1252
    m_line.append(folio.data(), size_t(folio.size()));
    m_line += ',';
    AppendAmount(row.payment, m_line);
    m_line += ',';
    encoded = encoded && appendTrimmed(m_line, row.abc);
    for (double amount : {row.grossTax, row.regGrant, row.addGrant, row.delq}) {
        m_line += ',';
        AppendAmount(amount, m_line);
    }
    m_line += ',';
    encoded = encoded && appendTrimmed(m_line, row.legal);
    if (!encoded)
        return false;
    m_line += "\r\n";
    out.append(m_line.data(), qsizetype(m_line.size()));
    return true;
}

std::optional<QString> DetailLineEncoder::append(const DetailRow &row, QByteArray &out)
{
    const QString line = DetailLineText(row, m_masks.display(row.jur, row.folio));
    m_encoded.clear();
    if (!EncodeWindows1252(line, m_encoded))
        return line;
    out.append(m_encoded);
    out.append("\r\n");
    return std::nullopt;
}

const DetailLineEncoder::PlainMask &DetailLineEncoder::maskOf(QByteArrayView jur)
{
    m_key.assign(jur.data(), size_t(jur.size()));
    auto it = m_byCode.find(m_key);
    if (it == m_byCode.end()) {
        PlainMask entry;
        if (const FolioMask *mask = m_masks.find(QString::fromUtf8(jur))) {
            const QByteArray utf8 = mask->mask.toUtf8();
            entry.known = true;
            entry.plain = hasNoSeparators(utf8) && AppendUtf8AsWindows1252(utf8, entry.mask);
            entry.length = mask->length;
        }
        it = m_byCode.emplace(m_key, std::move(entry)).first;
    }
    return it->second;
}

// ApplyFolioMask over bytes, with the mask display() would take.
bool DetailLineEncoder::layFolio(QByteArrayView jur, QByteArrayView folio)
{
    const PlainMask *mask = nullptr;
    if (!m_masks.isEmpty()) {
        mask = &maskOf(jur);
        if (!mask->known)
            mask = nullptr;
        else if (!mask->plain)
            return false;
    }
    QByteArrayView layout;
    int length = 0;
    if (mask) {
        layout = viewOf(mask->mask);
        length = mask->length;
    } else {
        // DefaultFolioMask: a place for each character of the trimmed
        // folio, blanks up to 20 characters.
        const qsizetype places = BlankTrimmed(folio).size();
        m_default.assign(size_t(places), '#');
        if (places < 20)
            m_default.append(size_t(20 - places), ' ');
        layout = viewOf(m_default);
        length = 18;
    }
    const QByteArrayView digits = folio.last(std::min(folio.size(), qsizetype(std::max(length, 0))));
    m_folio.clear();
    qsizetype next = 0;
    for (char c : layout) {
        if (c != '#')
            m_folio += c;
        else if (next < digits.size())
            m_folio += digits[next++];
    }
    return true;
}

}  // namespace zolt::payment
