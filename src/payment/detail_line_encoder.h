#pragma once

#include "detail_line.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <string>
#include <unordered_map>

namespace zolt::payment {

class FolioMaskTable;

// A stored payment as the database hands it over: texts in UTF-8, valid
// until the next row is read.
struct StoredDetailBytes {
    QByteArrayView number, name, cd, jur, folio, abc, legal;
    double payment = 0, grossTax = 0, regGrant = 0, addGrant = 0, delq = 0;
};

// Makes a save's detail lines: DetailLineText of the payment and its folio's
// display form (FolioMaskTable::display), encoded as the payment file is
// (Windows-1252) and ended by CR LF, appended to a buffer.
//
// A payment whose texts are plain (no commas, no quotes, no line breaks or
// NULs, a folio in ASCII, every character with a Windows-1252 form),
// as nearly all are, is laid out
// byte by byte with nothing allocated; any other one goes through
// DetailLineText. Both give the same line.
class DetailLineEncoder {
public:
    explicit DetailLineEncoder(const FolioMaskTable &masks);

    // The plain path: false, out untouched, when the payment is not plain.
    bool appendPlain(const StoredDetailBytes &row, QByteArray &out);
    // Any payment, its texts comma-free (CommaFree). A line holding a
    // character Windows-1252 lacks is answered instead, out untouched.
    std::optional<QString> append(const DetailRow &row, QByteArray &out);

private:
    struct PlainMask {
        bool known = false;  // else DefaultFolioMask
        bool plain = false;  // Windows-1252 without commas or quotes
        std::string mask;    // in Windows-1252
        int length = 0;
    };
    const PlainMask &maskOf(QByteArrayView jur);
    // The folio's display form, blanks trimmed, in m_folio; false when it
    // is not plain.
    bool layFolio(QByteArrayView jur, QByteArrayView folio);

    const FolioMaskTable &m_masks;
    std::unordered_map<std::string, PlainMask> m_byCode;  // masks met so far, by the code as stored
    std::string m_key;       // reused for lookups
    std::string m_default;   // reused for a DefaultFolioMask
    std::string m_folio;     // reused for the display form
    std::string m_line;      // reused for the line
    QByteArray m_encoded;    // reused for a line of the other path
};

}  // namespace zolt::payment
