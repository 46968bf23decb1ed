#pragma once

#include <QString>
#include <optional>

namespace zolt {

class DataEnvironment;
class Recordset;

// The file the user last chose in the main window.
struct RememberedFile {
    QString drive;  // root folder of the volume
    QString dir;
    QString file;

    // The folder and the file name joined.
    QString path() const;
};

// The one row of ZoltSystem, read and written only here (through
// rsZoltSystem): the file last chosen, and the data year of the loaded
// payment file. Failures throw ZoltError.
class ZoltSystem {
public:
    explicit ZoltSystem(DataEnvironment &de) : m_de(de) {}

    // None when the table is empty.
    std::optional<RememberedFile> rememberedFile();
    // Keeps the choice and empties the data year, which the payment load fills in.
    void rememberFile(const RememberedFile &file);

    // "" when not set.
    QString dataYear();
    void setDataYear(const QString &year);

private:
    // The recordset on the row; null when the table is empty and not to be added to.
    Recordset *row(bool addWhenEmpty);

    DataEnvironment &m_de;
};

}  // namespace zolt
