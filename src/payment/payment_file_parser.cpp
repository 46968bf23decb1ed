#include "payment_file_parser.h"

#include "common/errors.h"
#include "common/read_ahead.h"
#include "group_lines.h"
#include "payment_key.h"
#include "payment_format.h"

#include <QFileInfo>

namespace zolt::payment {
namespace {

void numbered(std::vector<LooseValue> &values, qint64 line)
{
    for (LooseValue &value : values)
        value.line = line;
}

}  // namespace

PaymentLineError::PaymentLineError(const ZoltError &cause, qint64 lineNumber, FileSection section)
    : ZoltError(cause.number(), LineContext(lineNumber, cause.description()), cause.source(), lineNumber),
      m_section(section)
{
}

PaymentFileParser::PaymentFileParser(const QString &path, int currentYear)
    : m_reader(path, QStringLiteral("payment file")), m_currentYear(currentYear)
{
    m_keys.reserve(m_reader.lineCount());
    if (m_reader.atEnd())
        return;
    const QString first = RemoveQuotes(m_reader.readLine());
    if (ClassifyLine(first) != LineKind::YearLine)
        return;
    m_sawHeader = true;
    m_firstLineYear = YearOfLine(first);
    m_yearRefused = !IsAcceptedYear(m_firstLineYear, m_currentYear);
}

void PaymentFileParser::readItems(const std::function<void(PaymentItem &&)> &take,
                                  const std::function<void()> &lineRead)
{
    ReadAhead<LineBatch> reading(
        [this](LineBatch &batch, const std::function<bool()> &stopping) { return readLines(batch, stopping); });
    while (LineBatch *batch = reading.next()) {
        for (std::optional<PaymentItem> &item : batch->lines) {
            if (item)
                take(std::move(*item));
            if (lineRead)
                lineRead();
        }
    }
}

bool PaymentFileParser::readLines(LineBatch &batch, const std::function<bool()> &stopping)
{
    constexpr size_t LinesPerBatch = 512;
    while (!m_reader.atEnd() && !m_yearRefused) {
        if (stopping())
            return false;
        std::optional<PaymentItem> &item = batch.lines.emplace_back();
        const QString raw = m_reader.readLine();
        line(raw, m_reader.lineNumber(), [&item, this](PaymentItem &&taken) {
            follow(taken);
            item = std::move(taken);
        });
        if (batch.lines.size() >= LinesPerBatch)
            return true;
    }
    if (!m_sawHeader)
        throw ZoltError(ErrorNumber::BadFileFormat,
                        QStringLiteral("%1 is not a Zolt payment file: it has none of the lines \"%2\", \"%3\" "
                                       "or \"%4\".")
                            .arg(QFileInfo(m_reader.path()).absoluteFilePath(), YearLinePrefix.trimmed(),
                                 MaskHeader, GroupHeader));
    return false;
}

void PaymentFileParser::line(const QString &raw, qint64 number, const std::function<void(PaymentItem &&)> &take)
{
    const QString line = RemoveQuotes(raw);
    const LineKind kind = ClassifyLine(line);
    if (kind != LineKind::Data && kind != LineKind::NoData)
        m_sawHeader = true;
    switch (kind) {
    case LineKind::YearLine:
        m_section = FileSection::Year;
        if (IsAcceptedYear(YearOfLine(line), m_currentYear))
            take(YearItem{YearOfLine(line)});
        break;
    case LineKind::MaskStart:
        m_section = FileSection::Mask;
        break;
    case LineKind::GroupStart:
        m_section = FileSection::Group;
        take(GroupStartItem{});
        break;
    case LineKind::DetailStart:
        m_section = FileSection::Detail;
        break;
    case LineKind::NoData:
        break;
    case LineKind::Data:
        std::optional<PaymentItem> item;
        try {
            item = data(line, number);
        } catch (const ZoltError &e) {
            throw PaymentLineError(e, number, m_section);
        }
        if (item)
            take(std::move(*item));
        break;
    }
}

void PaymentFileParser::follow(PaymentItem &item)
{
    if (const auto *mask = std::get_if<MaskLine>(&item)) {
        m_masks.add(mask->jurCd, mask->mask, mask->folioLength);
    } else if (std::holds_alternative<GroupStartItem>(item)) {
        m_mortco.clear();
    } else if (const auto *value = std::get_if<GroupValueItem>(&item)) {
        if (GroupLabels()[size_t(value->label)].field == QLatin1String("MORTCO"))
            m_mortco = value->value;
    } else if (auto *detail = std::get_if<DetailItem>(&item)) {
        const DetailRow &row = detail->row;
        detail->folioDisplay = m_masks.display(row.jur, row.folio);
        detail->repeatsKey = !m_keys.insert(PaymentKey{m_mortco, row.cd, row.jur, row.folio, row.name}.folded());
    }
}

std::optional<PaymentItem> PaymentFileParser::data(const QString &line, qint64 number) const
{
    switch (m_section) {
    case FileSection::Mask:
        if (auto mask = ParseMaskLine(line))
            return std::move(*mask);
        break;
    case FileSection::Group:
        if (const GroupLabel *label = MatchGroupLabel(line)) {
            std::vector<LooseValue> loose;
            QString value = GroupLabelValue(*label, line, &loose);
            numbered(loose, number);
            return GroupValueItem{int(label - GroupLabels().data()), std::move(value), std::move(loose)};
        }
        break;
    case FileSection::Detail: {
        std::vector<LooseValue> loose;
        DetailRow row = ParseDetailLine(line, &loose);
        numbered(loose, number);
        return DetailItem{std::move(row), {}, {}, std::move(loose)};
    }
    case FileSection::None:
    case FileSection::Year:
        break;
    }
    return std::nullopt;
}

}  // namespace zolt::payment
