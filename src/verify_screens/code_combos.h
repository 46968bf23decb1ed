#pragma once

class QComboBox;
class QString;
class QWidget;

namespace zolt {
class Recordset;
}

namespace zolt::verify_screens {

// A collection district or jurisdiction box: a list of "code name" entries
// to choose from, typing allowed; only the code part of its text is used
// (verify::CodeOf).
QComboBox *MakeCodeCombo(const char *name, QWidget *parent);

// The entries of a reference recordset (Collection_District or
// Jurisdiction), one per record in its order, "code name"; the recordset
// goes back to its first record and the box's text is left empty.
void FillCodes(QComboBox *combo, Recordset &codes, const QString &codeField, const QString &nameField);

// "701 NAME": a reference row's entry.
QString CodeEntry(const QString &code, const QString &name);

}  // namespace zolt::verify_screens
