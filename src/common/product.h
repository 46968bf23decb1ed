#pragma once

#include <QString>

namespace zolt {

// The product's name: window captions, message box titles, the About box.
inline QString ProductName()
{
    return QStringLiteral("Zolt");
}

// What `--version` prints: the product's name and version.
inline QString VersionLine()
{
    return ProductName() + QStringLiteral(" " ZOLT_VERSION);
}

// The About box's description of the program.
inline QString ProductDescription()
{
    return QStringLiteral(
        "Loads, reviews and returns the yearly property tax payment file (Zoltdata.csv) and the "
        "mortgage number verification workbook (MortNo*.xlsx) exchanged with the taxing authority.");
}

}  // namespace zolt
