#pragma once

#include "detail_line.h"
#include "folio_mask.h"
#include "mask_line.h"
#include "common/folded_key_set.h"
#include "common/text_file.h"

#include "common/errors.h"

#include <QString>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace zolt::payment {

// What a payment file says, item by item in file order. Applying the items
// in order rebuilds the tables.
struct YearItem {
    QString year;  // an accepted year line after the first line
};
struct GroupStartItem {};
struct GroupValueItem {
    int label;      // index into GroupLabels()
    QString value;
    std::vector<LooseValue> looseValues;  // the value cut, its line number filled in
};
// A detail line, with what its place in the file makes of it: the folio laid
// into its jurisdiction's mask (of the masks read so far) and whether a
// payment line before it has the same key (agency of its group, district,
// jurisdiction, folio, name): the first of them is the payment, the others
// are duplicates.
struct DetailItem {
    DetailRow row;
    QString folioDisplay;
    bool repeatsKey = false;
    std::vector<LooseValue> looseValues;  // of this line, its number filled in
};
using PaymentItem = std::variant<YearItem, MaskLine, GroupStartItem, GroupValueItem, DetailItem>;

// The section of the file a line stands in.
enum class FileSection { None, Year, Mask, Group, Detail };

// A line the parser refuses, with the section it stood in.
class PaymentLineError : public ZoltError {
public:
    PaymentLineError(const ZoltError &cause, qint64 lineNumber, FileSection section);
    FileSection section() const { return m_section; }

private:
    FileSection m_section;
};

// Reads a payment file. Opening it reads the first line, which may carry the
// data year; readItems() then hands on the items of the other lines. Input
// that cannot be read without losing data, and a file that is not a payment
// file at all, throw ZoltError naming the line.
class PaymentFileParser {
public:
    PaymentFileParser(const QString &path, int currentYear);

    // The year a first line that is a year line gives, accepted or not.
    QString firstLineYear() const { return m_firstLineYear; }
    // The first line is a year line outside the accepted years: nothing
    // further is read.
    bool yearRefused() const { return m_yearRefused; }
    qint64 lineCount() const { return m_reader.lineCount(); }
    // The payment lines read so far whose key no line before had.
    qint64 uniquePayments() const { return m_keys.size(); }

    // lineRead is called after each line. The lines are read and parsed on a
    // thread of their own, a few hundred lines ahead of take; what they
    // throw is thrown here once the items of the lines before were taken.
    void readItems(const std::function<void(PaymentItem &&)> &take,
                   const std::function<void()> &lineRead = {});

private:
    // The items of the next lines (none for a line without data), in order.
    struct LineBatch {
        std::vector<std::optional<PaymentItem>> lines;
        void clear() { lines.clear(); }
    };
    bool readLines(LineBatch &batch, const std::function<bool()> &stopping);
    void line(const QString &raw, qint64 number, const std::function<void(PaymentItem &&)> &take);
    // The item of a data line in the current section; none for a line the
    // section does not read.
    std::optional<PaymentItem> data(const QString &line, qint64 number) const;
    // Keeps what later lines depend on: the masks, the group's agency.
    void follow(PaymentItem &item);

    TextLineReader m_reader;
    int m_currentYear;
    QString m_firstLineYear;
    bool m_yearRefused = false;
    bool m_sawHeader = false;
    FileSection m_section = FileSection::None;
    FolioMaskTable m_masks;  // of the mask lines read so far
    QString m_mortco;        // of the group being read
    FoldedKeySet m_keys;     // of the payment lines read so far
};

}  // namespace zolt::payment
