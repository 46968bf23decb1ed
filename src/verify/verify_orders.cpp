#include "verify_orders.h"

#include "store/data_environment.h"

namespace zolt::verify {

const std::vector<VerifyOrder> &VerifyOrders()
{
    static const std::vector<VerifyOrder> orders = {
        {"Option_Sort_Mortgage", QStringLiteral("Mortgage#"), QStringLiteral("Sort by Mortgage Number Order"),
         "mnuSortByMortgageNumber", QStringLiteral("Sort by Mortgage Number"), DataEnvironment::VerifyOrderBy},
        {"Option_Sort_MortCo", QStringLiteral("Mort.Co"),
         QStringLiteral("Sort by Mortgage Company ID and Mortgage Number Order"), "mnuSortByMortCo",
         QStringLiteral("Sort by Mortgage Company and Mortgage Number"), QStringLiteral("MORTCO, NUMBER")},
        {"Option_Sort_CD", QStringLiteral("Collection District(CD)"), QString(), "mnuSortByCd",
         QStringLiteral("Sort by Collection District (CD)"), QStringLiteral("CD, JUR, FOLIO")},
        {"Option_Sort_JUR", QStringLiteral("Jurisdiction (JUR)"), QString(), "mnuSortByJur",
         QStringLiteral("Sort by Jurisdiction (JUR)"), QStringLiteral("JUR, FOLIO")},
        {"Option_Sort_FolioNumber", QStringLiteral("Folio Number"), QString(), "mnuSortByFolio",
         QStringLiteral("Sort by Folio Number"), QStringLiteral("FOLIO")},
        {"Option_Sort_PID", QStringLiteral("Property Identifier (PID)"), QString(), "mnuSortByPID",
         QStringLiteral("Sort by Property Identifier (PID)"), QStringLiteral("PID")},
        {"Option_Sort_Name", QStringLiteral("Name"), QString(), "mnuSortByName", QStringLiteral("Sort By Name"),
         QStringLiteral("NAME")},
        {"Option_Sort_Address", QStringLiteral("Address"), QString(), "mnuSortByAddress",
         QStringLiteral("Sort by Address"), QStringLiteral("ADDR1, ADDR2, ADDR3, ADDR4, ADDR5")},
        {"Option_Sort_Legal", QStringLiteral("Legal Description"), QString(), "mnuSortByLegal",
         QStringLiteral("Sort by Legal Description"), QStringLiteral("LEGAL")}};
    return orders;
}

QString VerifyListSource(const VerifyOrder &order)
{
    return VerifySourceOrderedBy(order.orderBy);
}

}  // namespace zolt::verify
