#include "payment_columns.h"

#include <utility>

namespace zolt::payment_screens {
namespace {

// A payment field as the lists show it.
GridColumn column(const char *caption, const char *field)
{
    using Format = GridColumn::Format;
    static const std::pair<const char *, int> widths[] = {
        {"CD", 4}, {"JUR", 5}, {"FOLIO_DISP", 20}, {"NUMBER", 13}, {"NAME", 25}, {"LEGAL", 28}, {"ABC", 4}};
    GridColumn c{.caption = QLatin1String(caption), .field = QLatin1String(field), .widthInChars = 13,
                 .format = Format::Currency};  // the amounts
    for (const auto &[name, width] : widths) {
        if (c.field == QLatin1String(name)) {
            c.widthInChars = width;
            c.format = Format::None;
        }
    }
    return c;
}

}  // namespace

QList<GridColumn> PaymentListColumns()
{
    return {column("Collection District", "CD"),    column("Jurisdiction", "JUR"),
            column("Folio Number", "FOLIO_DISP"),   column("Mortgage Number", "NUMBER"),
            column("Name", "NAME"),                 column("Legal Description", "LEGAL"),
            column("A B C", "ABC"),                 column("Payment Amount", "PAYMENT"),
            column("NO Grant (A)", "GROSS_TAX"),    column("Regular Grant (B)", "REG_GRANT"),
            column("Aditional Grant (C)", "ADD_GRANT"), column("Delinquent / Credit", "DELQ")};
}

QList<GridColumn> PaymentSearchColumns()
{
    return {column("Collection District", "CD"),    column("Jurisdiction", "JUR"),
            column("Folio Number", "FOLIO_DISP"),   column("Mortgage Number", "NUMBER"),
            column("Name", "NAME"),                 column("Legal Description", "LEGAL"),
            column("Payment Amount", "PAYMENT"),    column("A B C", "ABC"),
            column("NO Grant", "GROSS_TAX"),        column("Regular Grant", "REG_GRANT"),
            column("Aditional Grant", "ADD_GRANT"), column("Delinquent / Credit", "DELQ")};
}

}  // namespace zolt::payment_screens
