#pragma once

#include <QColor>
#include <QString>

// What the add, change and delete screens of a folio share.
namespace zolt::verify_screens::entry_texts {

inline const QString Title = QStringLiteral("ZOLT (Mortgage Number Verification)");
inline const QString Required = QStringLiteral("Required");
inline const QString Duplicate = QStringLiteral("Duplicate!");
inline const QString FolioOrPidMessage = QStringLiteral("Folio Number (or Property Identifier) must be entered!");
inline const QString SaveFailed = QStringLiteral("UNKNOWN ERROR - Save Failed!");

// The longest folio that may be typed.
constexpr int FolioLength = 19;

// A key box's background: accepted, needs attention, a duplicate that blocks the entry.
inline const QColor White(255, 255, 255);
inline const QColor LightYellow(255, 255, 192);
inline const QColor LightRed(255, 192, 192);
// A box that only shows a value.
inline const QColor ReadOnlyGrey(224, 224, 224);

}  // namespace zolt::verify_screens::entry_texts
