#pragma once

#include <QString>

namespace zolt {

class UserDialog;

// The caution asked before working on an input file that is read-only, or
// whose attributes cannot be read. Windows word the question in their own
// way: the titles and the name the text gives the file.
struct AttributeQuestionTexts {
    QString unknownTitle;   // "Checking the Zolt data File Attributes"
    QString unknownFile;    // " Zolt data file" in "... of <path> Zolt data file is READONLY"
    QString readOnlyTitle;  // "Zolt data File is READONLY"
};

// The texts of the questions about the payment file and the verification
// workbook alike.
inline const AttributeQuestionTexts ZoltFileQuestions{QStringLiteral("Checking the Zolt data File Attributes"),
                                                     QStringLiteral(" Zolt data file"),
                                                     QStringLiteral("Zolt data File is READONLY")};

// Asks about a read-only file, or one whose attributes are not recognised;
// true when the file may be used (it is writable, or the user said Yes).
bool ConfirmFileAttributes(const QString &path, const AttributeQuestionTexts &texts, UserDialog &ui);

// A folder given where a file is expected is said to be one, rather than
// called missing or empty: "PATH is a folder, not a KIND." (kind: "payment
// file", "database"); nothing when path names no folder.
QString FolderGivenForFile(const QString &path, const QString &kind);

// Asks about a file only when it is read-only; true when it is not, or the
// user said Yes. A Yes lets the program replace the file all the same
// (UserDialog::allowReplacingReadOnly): any other read-only file is refused.
bool ConfirmReadOnlyFile(const QString &path, const QString &title, UserDialog &ui);

}  // namespace zolt
