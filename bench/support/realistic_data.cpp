#include "realistic_data.h"

namespace zolt::bench {
namespace {

const QStringList FirstNames = {
    "JOHN", "MARY", "ROBERT", "PATRICIA", "MICHAEL", "LINDA", "WILLIAM", "ELIZABETH", "DAVID", "BARBARA",
    "RICHARD", "SUSAN", "JOSEPH", "JESSICA", "THOMAS", "SARAH", "CHARLES", "KAREN", "CHRISTOPHER", "NANCY",
    "DANIEL", "LISA", "MATTHEW", "BETTY", "ANTHONY", "MARGARET", "MARK", "SANDRA", "JOSÉ", "MARÍA",
    "FRANÇOIS", "RENÉE", "JÜRGEN", "ZOË", "ÅSA", "NIAMH", "RAJESH", "PRIYA", "WEI", "AYODELE"};
const QStringList LastNames = {
    "SMITH", "JOHNSON", "WILLIAMS", "BROWN", "JONES", "GARCIA", "MILLER", "DAVIS", "RODRIGUEZ", "MARTINEZ",
    "HERNANDEZ", "LOPEZ", "GONZALEZ", "WILSON", "ANDERSON", "THOMAS", "TAYLOR", "MOORE", "JACKSON", "MARTIN",
    "LEE", "PEREZ", "THOMPSON", "WHITE", "HARRIS", "SANCHEZ", "CLARK", "RAMIREZ", "LEWIS", "ROBINSON",
    "O'NEIL", "MÜLLER", "PEÑA", "DUBOIS", "ØSTERGÅRD", "MACDONALD", "NGUYEN", "KOWALSKI", "FERREIRA", "SINGH"};
const QStringList Streets = {
    "MAIN STREET", "OAK AVENUE", "MAPLE DRIVE", "CEDAR LANE", "ELM ROAD", "PINE CRESCENT", "LAKE VIEW BLVD",
    "HILLCREST WAY", "RIVERSIDE TERRACE", "SUNSET COURT", "CHURCH STREET", "HIGH STREET", "MILL ROAD",
    "VICTORIA AVENUE", "QUEEN STREET", "KING'S HIGHWAY", "PARK PLACE", "FOREST GLEN", "HARBOUR ROAD"};
const QStringList Towns = {
    "PORT OF SPAIN", "SAN FERNANDO", "ARIMA", "CHAGUANAS", "POINT FORTIN", "SCARBOROUGH", "DIEGO MARTIN",
    "TUNAPUNA", "COUVA", "SANGRE GRANDE", "PRINCES TOWN", "SIPARIA", "PENAL", "MARABELLA"};
const QStringList Subdivisions = {"SUNSET ESTATES", "GLENCOE PARK", "VALLEY VIEW", "RIVER BEND", "ORCHARD HILL",
                                  "BAYSIDE", "CEDAR GROVE", "MEADOWBROOK", "STONEGATE", "WILLOWDALE"};

QString pick(const QStringList &list, quint64 n)
{
    return list.at(qsizetype(n % quint64(list.size())));
}

// A cheap mix of the index, so that neighbouring rows differ.
quint64 mix(int i, quint64 salt)
{
    quint64 x = quint64(i) * 0x9E3779B97F4A7C15ULL + salt;
    x ^= x >> 31;
    x *= 0xBF58476D1CE4E5B9ULL;
    return x ^ (x >> 29);
}

QString padded(const QString &text, int width)
{
    return text.left(width).leftJustified(width, u' ');
}

}  // namespace

QString OwnerName(int i)
{
    const quint64 m = mix(i, 1);
    QString name = pick(LastNames, m) + u' ' + pick(FirstNames, m >> 8);
    if (m % 5 == 0)
        name += QStringLiteral(" & ") + pick(FirstNames, m >> 16);
    return name;
}

QStringList AddressLines(int i, bool everyLine)
{
    const quint64 m = mix(i, 2);
    QStringList lines = {QStringLiteral("%1 %2").arg(1 + m % 9999).arg(pick(Streets, m >> 12)),
                         m % 3 == 0 ? QStringLiteral("APT %1").arg(1 + (m >> 20) % 400) : QString(),
                         pick(Towns, m >> 24), QString(), QString()};
    if (m % 7 == 0)
        lines[3] = QStringLiteral("C/O %1").arg(OwnerName(i + 17));
    if (m % 11 == 0)
        lines[4] = QStringLiteral("WEST INDIES");
    if (everyLine) {
        if (lines[1].isEmpty())
            lines[1] = QStringLiteral("P.O. BOX %1").arg(100 + (m >> 28) % 9000);
        if (lines[3].isEmpty())
            lines[3] = QStringLiteral("%1 PARISH").arg(pick(Towns, m >> 36));
        if (lines[4].isEmpty())
            lines[4] = (m >> 44) % 4 == 0 ? QStringLiteral("WEST INDIES") : QStringLiteral("TRINIDAD AND TOBAGO");
    }
    return lines;
}

QString LegalDescription(int i)
{
    const quint64 m = mix(i, 3);
    return QStringLiteral("LOT %1 BLK %2 %3").arg(1 + m % 250).arg(1 + (m >> 10) % 40).arg(pick(Subdivisions, m >> 20));
}

QString MortgageNumber(int i)
{
    return QStringLiteral("M%1").arg(mix(i, 4) % 100000000000ULL, 11, 10, QChar(u'0'));
}

QString PaymentDetailLine(int i, int jurisdictions)
{
    const quint64 m = mix(i, 7);
    const double gross = double(200 + m % 4000) + double((m >> 12) % 100) / 100.0;
    const double regular = gross - 75, additional = gross - 150;
    const char type = "ABC"[(m >> 20) % 3];
    const double chosen = type == 'A' ? gross : type == 'B' ? regular : additional;
    const double credit = m % 13 == 0 ? -25.0 : m % 17 == 0 ? 120.5 : 0.0;
    auto amount = [](double v) { return QString::number(v, 'f', 2); };
    return QStringLiteral("#%1,%2,%3,%4,#%5,%6,%7,%8,%9,%10,%11,%12")
        .arg(MortgageNumber(i), OwnerName(i).left(25).remove(u','))
        .arg(1 + (m >> 8) % 20, 2, 10, QLatin1Char('0'))
        .arg(101 + int((m >> 16) % quint64(std::max(jurisdictions, 1))))
        .arg(100000 + qint64(i) * 7919, 10, 10, QLatin1Char('0'))
        .arg(amount(chosen + credit), QString(QLatin1Char(type)), amount(gross), amount(regular), amount(additional),
             amount(credit), LegalDescription(i));
}

QString PlaceName(int i)
{
    const quint64 m = mix(i, 7);
    return QStringLiteral("%1 %2").arg(pick(Towns, m), pick(Subdivisions, m >> 8));
}

QStringList VerifyRow(int i, bool everyColumn)
{
    const quint64 m = mix(i, 5);
    static const QStringList marks = {QStringLiteral(" "), QStringLiteral("A"), QStringLiteral("C"),
                                      QStringLiteral("D")};
    QStringList row = {m % 10 < 7 ? marks[0] : pick(marks, m >> 4),
                       QString::number(1 + m % 40).rightJustified(4, u'0'),
                       MortgageNumber(i),
                       padded(OwnerName(i), 70),
                       QString::number(1 + (m >> 8) % 99).rightJustified(2, u'0'),
                       QString::number(1 + (m >> 16) % 99).rightJustified(3, u'0'),
                       QString::number(100000 + qint64(i) * 7919),
                       QString::number(1 + mix(i, 6) % 999999999).rightJustified(9, u'0'),
                       padded(LegalDescription(i), 32)};
    for (const QString &line : AddressLines(i, everyColumn))
        row << padded(line, 30);
    return row;
}

}  // namespace zolt::bench
