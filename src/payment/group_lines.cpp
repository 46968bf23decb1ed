#include "group_lines.h"

#include "common/number_format.h"
#include "common/windows1252.h"
#include "payment_format.h"

namespace zolt::payment {

const std::vector<GroupLabel> &GroupLabels()
{
    static const std::vector<GroupLabel> labels = [] {
        std::vector<GroupLabel> l = {
            {QStringLiteral("Group #"), QStringLiteral("GROUP"), 4, true, false},
            {QStringLiteral("Agency #"), QStringLiteral("MORTCO"), 4, true, false},
            {QStringLiteral("Payment Due Date"), QStringLiteral("DUEDATE"), 10, false, true},
            {QStringLiteral("Name1:"), QStringLiteral("NAME1"), 35, false, false},
            {QStringLiteral("Name2:"), QStringLiteral("NAME2"), 35, false, false},
            {QStringLiteral("Contact Person:"), QStringLiteral("CONTACT"), 25, false, false},
            {QStringLiteral("Contact Phone Number:"), QStringLiteral("CONT_PHONE"), 13, false, false},
        };
        for (int i = 1; i <= 6; ++i)
            l.push_back({QStringLiteral("Address%1:").arg(i), QStringLiteral("ADDR%1").arg(i), 30, false, false});
        return l;
    }();
    return labels;
}

const GroupLabel *MatchGroupLabel(const QString &line)
{
    for (const GroupLabel &label : GroupLabels()) {
        if (line.startsWith(label.label))
            return &label;
    }
    return nullptr;
}

QString GroupLabelValue(const GroupLabel &label, const QString &line, std::vector<LooseValue> *looseValues)
{
    // The whole value, without the commas a spreadsheet pads a line with,
    // tells whether the field's length cuts it.
    QStringView whole = QStringView(line).mid(label.label.size() + 1);
    while (whole.endsWith(u','))
        whole.chop(1);
    KeptText(whole, label.length, label.label, looseValues);
    QString value = line.mid(label.label.size() + 1, label.length);
    if (label.asRead)
        return value;
    while (value.endsWith(u','))
        value.chop(1);
    if (label.zeroPadded && value.size() < 4)
        value.prepend(QString(4 - value.size(), u'0'));
    return ToUpperWindows1252(value);
}

QStringList GroupBlockLines(const std::function<QString(const QString &)> &fieldText, qint64 paymentCount,
                            double paymentTotal)
{
    QStringList lines{GroupHeader};
    for (const GroupLabel &label : GroupLabels())
        lines << label.label + u',' + fieldText(label.field);
    lines << QStringLiteral("Number of Payment records,") + QString::number(paymentCount);
    lines << QStringLiteral("Payment Amount,") + FormatAmount(paymentTotal);
    return lines;
}

}  // namespace zolt::payment
