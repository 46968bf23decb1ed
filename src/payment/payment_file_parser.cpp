#include "payment_file_parser.h"

#include "common/errors.h"
#include "group_lines.h"
#include "payment_format.h"

#include <QFileInfo>

namespace zolt::payment {

PaymentFileParser::PaymentFileParser(const QString &path, int currentYear)
    : m_reader(path), m_currentYear(currentYear)
{
    if (m_reader.atEnd())
        return;
    const QString first = RemoveQuotes(m_reader.readLine());
    if (ClassifyLine(first) != LineKind::Year)
        return;
    m_sawHeader = true;
    const QString year = YearOfLine(first);
    if (IsAcceptedYear(year, m_currentYear))
        m_firstLineYear = year;
    else
        m_yearRefused = true;
}

void PaymentFileParser::readItems(const std::function<void(PaymentItem &&)> &take,
                                  const std::function<void(qint64)> &progress)
{
    while (!m_reader.atEnd() && !m_yearRefused) {
        const QString raw = m_reader.readLine();
        line(raw, m_reader.lineNumber(), take);
        if (progress && m_reader.lineNumber() % 10000 == 0)
            progress(m_reader.lineNumber());
    }
    if (!m_sawHeader)
        throw ZoltError(ErrorNumber::BadFileFormat,
                        QStringLiteral("%1 is not a Zolt payment file: it has none of the lines \"%2\", \"%3\" "
                                       "or \"%4\".")
                            .arg(QFileInfo(m_reader.path()).absoluteFilePath(), YearLinePrefix.trimmed(),
                                 MaskHeader, GroupHeader));
}

void PaymentFileParser::line(const QString &raw, qint64 number, const std::function<void(PaymentItem &&)> &take)
{
    const QString line = RemoveQuotes(raw);
    const LineKind kind = ClassifyLine(line);
    if (kind != LineKind::Data && kind != LineKind::NoData)
        m_sawHeader = true;
    switch (kind) {
    case LineKind::Year:
        m_section = Section::Year;
        if (IsAcceptedYear(YearOfLine(line), m_currentYear))
            take(YearItem{YearOfLine(line)});
        break;
    case LineKind::MaskHeader:
        m_section = Section::Mask;
        break;
    case LineKind::GroupHeader:
        m_section = Section::Group;
        take(GroupStartItem{});
        break;
    case LineKind::DetailHeader:
        m_section = Section::Detail;
        break;
    case LineKind::NoData:
        break;
    case LineKind::Data:
        try {
            data(line, take);
        } catch (const ZoltError &e) {
            throw ZoltError(e.number(), LineContext(number, e.description()));
        }
        break;
    }
}

void PaymentFileParser::data(const QString &line, const std::function<void(PaymentItem &&)> &take)
{
    switch (m_section) {
    case Section::Mask:
        if (auto mask = ParseMaskLine(line))
            take(std::move(*mask));
        else if (!IsPlaceholderMaskLine(line))
            throw ZoltError(ErrorNumber::BadFileFormat,
                            QStringLiteral("the folio mask line \"%1\" has no # digit places").arg(line));
        break;
    case Section::Group:
        if (const GroupLabel *label = MatchGroupLabel(line))
            take(GroupValueItem{int(label - GroupLabels().data()), GroupLabelValue(*label, line)});
        break;
    case Section::Detail:
        take(ParseDetailLine(line));
        break;
    case Section::None:
    case Section::Year:
        break;
    }
}

}  // namespace zolt::payment
