#include "folio_columns.h"

#include "store/recordset.h"
#include "verify/verify_folios.h"

namespace zolt::verify_screens {

QList<GridColumn> FolioColumns(Session &session, const Recordset &folios)
{
    auto column = [](const char *caption, const char *field, int width) {
        return GridColumn{.caption = QLatin1String(caption), .field = QLatin1String(field), .widthInChars = width};
    };
    QList<GridColumn> columns = {column("", "ACD", 6),           column("Mort.Co", "MORTCO", 4),
                                 column("Mortgage Number", "NUMBER", 12), column("CD", "CD", 2),
                                 column("JUR", "JUR", 3),         column("Folio Number", "FOLIO", 22),
                                 column("PID", "PID", 9),         column("Name", "NAME", 70),
                                 column("Address Line1", "ADDR1", 30)};
    for (int i = 2; i <= 5; ++i)
        columns << GridColumn{.caption = QStringLiteral("Address Line %1").arg(i),
                              .field = QStringLiteral("ADDR%1").arg(i), .widthInChars = 30};
    columns << column("Legal Description", "LEGAL", 32);
    columns[0].translation = verify::MarkWords();
    columns[5].format = GridColumn::Format::Text;
    columns[5].displayText = [&session, &folios](const QVariant &value, const QVariant &bookmark) {
        return verify::ListedFolio(session, folios, folios.rowOfBookmark(bookmark), value.toString());
    };
    return columns;
}

}  // namespace zolt::verify_screens
