#include "kvcore/controls/row_payload.h"

#include <cmath>

namespace {

// The wire form of a decimal count stays within what a 64-bit host integer can carry.
constexpr uint32_t kMaxDecimals = 18;
// The least a row occupies: an object tag and its 52 bytes of fields.
constexpr size_t kMinRowBytes = 2 + 5 * 4 + 2 * 16;

void StoreDouble(fw::Archive& ar, const CDouble& value)
{
    ar.writeDouble(static_cast<double>(value));
    ar.writeDWord(value.GetDecimal());
    ar.writeDWord(0);
}

CDouble LoadDouble(fw::Archive& ar)
{
    const double value = ar.readDouble();
    const uint32_t decimals = ar.readDWord();
    ar.readDWord(); // padding
    if (!std::isfinite(value))
        throw fw::ArchiveError(fw::ArchiveError::Cause::Generic, "row payload: a number is not finite");
    if (decimals > kMaxDecimals)
        throw fw::ArchiveError(fw::ArchiveError::Cause::Generic,
            "row payload: " + std::to_string(decimals) + " decimals are more than a number carries");
    return CDouble(value, decimals);
}

// Only the row class may be created from foreign bytes.
const fw::ClassRegistry& RowClasses()
{
    static const fw::ClassRegistry registry = [] {
        fw::ClassRegistry r;
        r.add(CKvRowData::runtimeClass());
        return r;
    }();
    return registry;
}

} // namespace

const fw::ClassInfo& CKvRowData::runtimeClass()
{
    // Built here rather than with ClassInfo::of, whose factory would be a type of fw's
    // namespace defined in this library.
    static const fw::ClassInfo info { "CKvRowData", 0, [] { return std::make_shared<CKvRowData>(); } };
    return info;
}

void CKvRowData::serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        for (int32_t v : { m_nSec, m_nBoard, m_nOrder, m_nUser, m_nFirm })
            ar.writeLong(v);
        StoreDouble(ar, m_Quantity);
        StoreDouble(ar, m_Price);
        return;
    }
    for (int32_t* v : { &m_nSec, &m_nBoard, &m_nOrder, &m_nUser, &m_nFirm })
        *v = ar.readLong();
    m_Quantity = LoadDouble(ar);
    m_Price = LoadDouble(ar);
}

bool operator==(const CKvRowData& a, const CKvRowData& b)
{
    auto same = [](const CDouble& x, const CDouble& y) {
        return static_cast<double>(x) == static_cast<double>(y) && x.GetDecimal() == y.GetDecimal();
    };
    return a.m_nSec == b.m_nSec && a.m_nBoard == b.m_nBoard && a.m_nOrder == b.m_nOrder
        && a.m_nUser == b.m_nUser && a.m_nFirm == b.m_nFirm && same(a.m_Quantity, b.m_Quantity)
        && same(a.m_Price, b.m_Price);
}

std::vector<uint8_t> WriteRowPayload(const CKvClipboardFormat& list)
{
    fw::Archive ar;
    ar.writeCount(static_cast<uint32_t>(list.rows.size()));
    for (const CKvRowData& row : list.rows)
        ar.writeObject(&row);
    return ar.bytes();
}

std::optional<CKvClipboardFormat> ReadRowPayload(std::span<const uint8_t> bytes, std::string& error)
{
    try {
        fw::Archive ar(std::vector<uint8_t>(bytes.begin(), bytes.end()), RowClasses());
        const uint32_t count = ar.readCount(kMinRowBytes);
        CKvClipboardFormat list;
        list.rows.reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            auto row = ar.readObjectAs<CKvRowData>();
            if (!row) {
                error = "row payload: row " + std::to_string(i) + " is empty";
                return std::nullopt;
            }
            list.rows.push_back(*row);
        }
        return list;
    } catch (const fw::ArchiveError& e) {
        error = e.what();
        return std::nullopt;
    }
}

std::optional<CKvClipboardFormat> ReadRowPayload(std::span<const uint8_t> bytes)
{
    std::string ignored;
    return ReadRowPayload(bytes, ignored);
}
