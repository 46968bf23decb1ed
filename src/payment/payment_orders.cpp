#include "payment_orders.h"

#include "store/data_environment.h"

namespace zolt::payment {

const std::vector<PaymentOrder> &PaymentOrders()
{
    static const std::vector<PaymentOrder> orders = {
        {"Option_Sort_CD", QStringLiteral("Collection District / Jurisdiction / Folio Number"),
         DataEnvironment::DetailOrderBy},
        {"Option_Sort_Jur", QStringLiteral("Jurisdiction / Folio Number"), QStringLiteral("MORTCO, JUR, FOLIO")},
        {"Option_Sort_Mortgage", QStringLiteral("Mortgage Number"), QStringLiteral("MORTCO, NUMBER")},
        {"Option_Sort_Name", QStringLiteral("Name"), QStringLiteral("MORTCO, NAME")}};
    return orders;
}

QString PaymentListSource(const PaymentOrder &order)
{
    return DetailSourceOrderedBy(order.orderBy);
}

const PaymentOrder &OrderOfSource(const QString &source)
{
    for (const PaymentOrder &order : PaymentOrders()) {
        if (PaymentListSource(order) == source)
            return order;
    }
    return PaymentOrders().front();
}

QString AgencyPaymentsSource(const QString &mortco)
{
    return AgencyDetailSourceOrderedBy(mortco, PaymentOrders().front().orderBy);
}

}  // namespace zolt::payment
