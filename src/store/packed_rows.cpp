#include "packed_rows.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace zolt {
namespace {


char *putVarint(char *out, quint64 n)
{
    for (; n >= 0x80; n >>= 7)
        *out++ = char(quint8(n) | 0x80);
    *out++ = char(n);
    return out;
}

const char *getVarint(const char *in, quint64 *n)
{
    quint64 value = 0;
    int shift = 0;
    quint8 byte = 0;
    do {
        byte = quint8(*in++);
        value |= quint64(byte & 0x7F) << shift;
        shift += 7;
    } while (byte & 0x80);
    *n = value;
    return in;
}

// Trailing blanks of a text, counted instead of stored.
qsizetype trailingBlanks(QByteArrayView bytes)
{
    qsizetype n = 0;
    while (n < bytes.size() && bytes[bytes.size() - 1 - n] == ' ')
        ++n;
    return n;
}

// Largest encoding of a cell besides its bytes: the kind, two lengths.
constexpr qsizetype MaxCellHead = 1 + 2 * 10;

char *encode(char *out, const Cell &cell)
{
    *out++ = char(cell.kind);
    switch (cell.kind) {
    case Cell::Kind::Null:
        break;
    case Cell::Kind::Integer:
        std::memcpy(out, &cell.integer, 8);
        out += 8;
        break;
    case Cell::Kind::Real:
        std::memcpy(out, &cell.real, 8);
        out += 8;
        break;
    case Cell::Kind::Text: {
        const qsizetype trail = trailingBlanks(cell.bytes);
        const qsizetype core = cell.bytes.size() - trail;
        out = putVarint(out, quint64(core));
        out = putVarint(out, quint64(trail));
        if (core > 0)
            std::memcpy(out, cell.bytes.data(), size_t(core));
        out += core;
        break;
    }
    case Cell::Kind::Blob:
        out = putVarint(out, quint64(cell.bytes.size()));
        if (!cell.bytes.isEmpty())
            std::memcpy(out, cell.bytes.data(), size_t(cell.bytes.size()));
        out += cell.bytes.size();
        break;
    }
    return out;
}

// The value at `in`; *next gets where the following value starts.
QVariant decode(const char *in, const char **next)
{
    const auto kind = Cell::Kind(quint8(*in++));
    QVariant value;
    switch (kind) {
    case Cell::Kind::Null:
        break;
    case Cell::Kind::Integer: {
        qint64 n = 0;
        std::memcpy(&n, in, 8);
        in += 8;
        value = QVariant(qlonglong(n));
        break;
    }
    case Cell::Kind::Real: {
        double d = 0;
        std::memcpy(&d, in, 8);
        in += 8;
        value = QVariant(d);
        break;
    }
    case Cell::Kind::Text: {
        quint64 core = 0, trail = 0;
        in = getVarint(getVarint(in, &core), &trail);
        QString text = QString::fromUtf8(in, qsizetype(core));
        if (trail > 0)
            text.resize(text.size() + qsizetype(trail), u' ');
        in += core;
        value = QVariant(std::move(text));
        break;
    }
    case Cell::Kind::Blob: {
        quint64 size = 0;
        in = getVarint(in, &size);
        value = QVariant(QByteArray(in, qsizetype(size)));
        in += size;
        break;
    }
    }
    *next = in;
    return value;
}

// The cell at `in`, a text without its trailing blanks (counted in
// trailingBlanks); answers where the following value starts.
const char *view(const char *in, Cell *cell, qsizetype *trailingBlanks)
{
    cell->kind = Cell::Kind(quint8(*in++));
    quint64 size = 0;
    switch (cell->kind) {
    case Cell::Kind::Null:
        cell->bytes = {};
        return in;
    case Cell::Kind::Integer:
        std::memcpy(&cell->integer, in, 8);
        return in + 8;
    case Cell::Kind::Real:
        std::memcpy(&cell->real, in, 8);
        return in + 8;
    case Cell::Kind::Text: {
        quint64 trail = 0;
        in = getVarint(getVarint(in, &size), &trail);
        *trailingBlanks = qsizetype(trail);
        break;
    }
    case Cell::Kind::Blob:
        in = getVarint(in, &size);
        break;
    }
    cell->bytes = QByteArrayView(in, qsizetype(size));
    return in + size;
}

const char *skip(const char *in)
{
    const auto kind = Cell::Kind(quint8(*in++));
    quint64 size = 0;
    switch (kind) {
    case Cell::Kind::Null:
        return in;
    case Cell::Kind::Integer:
    case Cell::Kind::Real:
        return in + 8;
    case Cell::Kind::Text: {
        quint64 trail = 0;
        in = getVarint(getVarint(in, &size), &trail);
        return in + size;
    }
    case Cell::Kind::Blob:
        in = getVarint(in, &size);
        return in + size;
    }
    return in;
}

}  // namespace

QVariant Cell::value() const
{
    switch (kind) {
    case Kind::Null: return QVariant();
    case Kind::Integer: return QVariant(qlonglong(integer));
    case Kind::Real: return QVariant(real);
    case Kind::Text:
    case Kind::Blob: break;
    }
    return QVariant(QString::fromUtf8(bytes));
}

Cell Cell::of(const QVariant &value, QByteArray &buffer)
{
    Cell cell;
    if (value.isNull())
        return cell;
    switch (value.typeId()) {
    case QMetaType::Bool:
        cell.kind = Kind::Integer;
        cell.integer = value.toBool() ? -1 : 0;
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
        cell.kind = Kind::Integer;
        cell.integer = value.toLongLong();
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        cell.kind = Kind::Real;
        cell.real = value.toDouble();
        break;
    case QMetaType::QByteArray:
        cell.kind = Kind::Blob;
        buffer = value.toByteArray();
        cell.bytes = buffer;
        break;
    default:
        cell.kind = Kind::Text;
        buffer = value.toString().toUtf8();
        cell.bytes = buffer;
        break;
    }
    return cell;
}

char *PackedRows::reserve(qsizetype size, Location *at)
{
    if (m_chunks.empty() || m_used + size > m_capacity) {
        m_capacity = std::max(ChunkSize, size);
        // Left unset: every byte is written before it is read.
        m_chunks.push_back(std::make_unique_for_overwrite<char[]>(size_t(m_capacity)));
        m_allocated += m_capacity;
        m_used = 0;
    }
    *at = Location{quint32(m_chunks.size() - 1), quint32(m_used)};
    char *out = m_chunks.back().get() + m_used;
    m_used += size;
    return out;
}

PackedRows::Location PackedRows::write(std::span<const Cell> cells)
{
    // Room for the worst case is taken at the end of the last chunk, the row
    // encoded straight into it, and what it did not need given back.
    qsizetype bound = 1;
    for (const Cell &cell : cells)
        bound += MaxCellHead + cell.bytes.size();
    Location at{};
    char *const out = reserve(bound, &at);
    char *end = out;
    for (const Cell &cell : cells)
        end = encode(end, cell);
    m_used -= bound - (end - out);
    return at;
}

qint64 PackedRows::append(std::span<const Cell> cells)
{
    m_rows.push_back(write(cells));
    return qint64(m_rows.size()) - 1;
}

void PackedRows::replace(qint64 row, std::span<const Cell> cells)
{
    m_rows[size_t(row)] = write(cells);
}

const char *PackedRows::rowData(qint64 row) const
{
    const Location at = m_rows[size_t(row)];
    return m_chunks[at.chunk].get() + at.offset;
}

QVariant PackedRows::value(qint64 row, int column) const
{
    const char *in = rowData(row);
    for (int c = 0; c < column; ++c)
        in = skip(in);
    return decode(in, &in);
}

std::vector<QVariant> PackedRows::values(qint64 row, int columns) const
{
    std::vector<QVariant> out;
    out.reserve(size_t(columns));
    const char *in = rowData(row);
    for (int c = 0; c < columns; ++c)
        out.push_back(decode(in, &in));
    return out;
}

void PackedRows::trimmedCells(qint64 row, std::span<Cell> cells, std::span<qsizetype> trailingBlanks) const
{
    const char *in = rowData(row);
    qsizetype ignored = 0;
    for (size_t c = 0; c < cells.size(); ++c) {
        qsizetype &trail = trailingBlanks.empty() ? ignored : trailingBlanks[c];
        trail = 0;
        in = view(in, &cells[c], &trail);
    }
}

}  // namespace zolt
