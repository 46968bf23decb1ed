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

// The fields in the list's order, with their captions in the list and in
// the search's results.
struct PaymentField {
    const char *field;
    const char *listCaption;
    const char *searchCaption;
};
const PaymentField Fields[] = {
    {"CD", "Collection District", "Collection District"},
    {"JUR", "Jurisdiction", "Jurisdiction"},
    {"FOLIO_DISP", "Folio Number", "Folio Number"},
    {"NUMBER", "Mortgage Number", "Mortgage Number"},
    {"NAME", "Name", "Name"},
    {"LEGAL", "Legal Description", "Legal Description"},
    {"ABC", "A B C", "A B C"},
    {"PAYMENT", "Payment Amount", "Payment Amount"},
    {"GROSS_TAX", "NO Grant (A)", "NO Grant"},
    {"REG_GRANT", "Regular Grant (B)", "Regular Grant"},
    {"ADD_GRANT", "Aditional Grant (C)", "Aditional Grant"},
    {"DELQ", "Delinquent / Credit", "Delinquent / Credit"}};

}  // namespace

QList<GridColumn> PaymentListColumns()
{
    QList<GridColumn> columns;
    for (const PaymentField &f : Fields)
        columns << column(f.listCaption, f.field);
    return columns;
}

// The search shows the payment amount before the type.
QList<GridColumn> PaymentSearchColumns()
{
    QList<GridColumn> columns;
    for (const PaymentField &f : Fields)
        columns << column(f.searchCaption, f.field);
    columns.swapItemsAt(6, 7);
    return columns;
}

}  // namespace zolt::payment_screens
