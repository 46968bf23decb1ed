#pragma once

#include <QString>

namespace zolt {
struct Session;
}

namespace zolt::verify {

// The two imports: keep the folios and update the ones a line matches, or
// delete every folio first.
inline const QString ImportOption1 = QStringLiteral("Option1_Replace");
inline const QString ImportOption2 = QStringLiteral("Option2_DELETE");

// Reads Verify.csv at path into VERIFY in the mode (ImportOption1 or
// ImportOption2). Each line is checked against the district, jurisdiction
// and pair tables; a line that fails a check, does not fit the VERIFY
// fields or that the database refuses is reported in the information dialog
// ("Record is NOT imported!") and skipped, and after every sixth report the
// user may stop. A line is matched to a folio by jurisdiction and folio (or
// PID when it has no folio) through an index of the folios, never by a scan.
// Lines are stored in order; those stored before a stop or a failure stay
// stored. A missing, oversized or damaged file is reported and changes
// nothing. rsVerify is re-opened at the end. Answers true when the whole
// file was processed.
bool ImportVerifyCsv(Session &session, const QString &mode, const QString &path);

// The message line and box after an import: complete, or not.
QString ImportCompleteText(const QString &mode);
QString ImportAbnormalText(const QString &mode);
// After the user cancelled it: what was read before the Cancel is stored.
QString ImportCancelledText(const QString &mode);

}  // namespace zolt::verify
