#include "payment_file_parser.h"

#include "common/errors.h"
#include "group_lines.h"
#include "payment_format.h"
#include "payment_text_file.h"

#include <QFileInfo>

namespace zolt::payment {
namespace {

enum class Section { None, Year, Mask, Group, Detail };

class Parser {
public:
    Parser(PaymentFileContent &content, int currentYear) : m_content(content), m_currentYear(currentYear) {}

    void firstLine(const QString &raw)
    {
        const QString line = RemoveQuotes(raw);
        if (ClassifyLine(line) != LineKind::Year)
            return;
        m_sawHeader = true;
        const QString year = YearOfLine(line);
        if (IsAcceptedYear(year, m_currentYear))
            m_content.firstLineYear = year;
        else
            m_content.yearRefused = true;
    }

    void line(const QString &raw, qint64 number)
    {
        const QString line = RemoveQuotes(raw);
        switch (ClassifyLine(line)) {
        case LineKind::Year:
            enter(Section::Year);
            if (IsAcceptedYear(YearOfLine(line), m_currentYear))
                m_content.items.emplace_back(YearItem{YearOfLine(line)});
            break;
        case LineKind::MaskHeader:
            enter(Section::Mask);
            break;
        case LineKind::GroupHeader:
            enter(Section::Group);
            m_content.items.emplace_back(GroupStartItem{});
            break;
        case LineKind::DetailHeader:
            enter(Section::Detail);
            break;
        case LineKind::NoData:
            break;
        case LineKind::Data:
            data(line, number);
            break;
        }
    }

    bool sawHeader() const { return m_sawHeader; }

private:
    void enter(Section section)
    {
        m_section = section;
        m_sawHeader = true;
    }

    void data(const QString &line, qint64 number)
    {
        try {
            if (m_section == Section::Mask)
                mask(line);
            else if (m_section == Section::Group)
                groupValue(line);
            else if (m_section == Section::Detail)
                m_content.items.emplace_back(ParseDetailLine(line));
        } catch (const ZoltError &e) {
            throw ZoltError(e.number(), LineContext(number, e.description()));
        }
    }

    void mask(const QString &line)
    {
        if (auto mask = ParseMaskLine(line)) {
            m_content.items.emplace_back(std::move(*mask));
            return;
        }
        if (!IsPlaceholderMaskLine(line))
            throw ZoltError(ErrorNumber::BadFileFormat,
                            QStringLiteral("the folio mask line \"%1\" has no # digit places").arg(line));
    }

    void groupValue(const QString &line)
    {
        if (const GroupLabel *label = MatchGroupLabel(line))
            m_content.items.emplace_back(
                GroupValueItem{int(label - GroupLabels().data()), GroupLabelValue(*label, line)});
    }

    PaymentFileContent &m_content;
    int m_currentYear;
    Section m_section = Section::None;
    bool m_sawHeader = false;
};

}  // namespace

PaymentFileContent ReadPaymentFile(const QString &path, int currentYear,
                                   const std::function<void(qint64)> &progress)
{
    PaymentFileContent content;
    PaymentFileReader reader(path);
    Parser parser(content, currentYear);
    if (!reader.atEnd())
        parser.firstLine(reader.readLine());
    while (!reader.atEnd() && !content.yearRefused) {
        const QString line = reader.readLine();
        parser.line(line, reader.lineNumber());
        if (progress && reader.lineNumber() % 10000 == 0)
            progress(reader.lineNumber());
    }
    if (!parser.sawHeader())
        throw ZoltError(ErrorNumber::BadFileFormat,
                        QStringLiteral("%1 is not a Zolt payment file: it has none of the lines \"%2\", \"%3\" "
                                       "or \"%4\".")
                            .arg(QFileInfo(path).absoluteFilePath(), YearLinePrefix.trimmed(), MaskHeader,
                                 GroupHeader));
    return content;
}

}  // namespace zolt::payment
