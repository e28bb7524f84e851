// The private order book file's byte codec. Numbers are little-endian; a
// decimal number is an IEEE double, its 32-bit decimal count and 4 zero
// bytes; a date-time is its day count since 30 December 1899 as a double
// (the time of day as the fraction, counted away from that day on both
// sides of it) and a 32-bit status.
#include <bit>
#include <cmath>
#include <cstring>

#include "kv32/tables/local_order_record.h"

namespace {

static_assert(std::endian::native == std::endian::little, "the file's numbers are written as they lie in memory");

constexpr int64_t kSecondsPerDay = 86400;
// Days from the epoch to the last day a CDateTime holds (9999-12-31), with room.
constexpr double kMaxDays = 3.0e6;

class Writer {
public:
    explicit Writer(std::vector<uint8_t>& out)
        : m_out(out)
    {
    }
    void U32(uint32_t v) { Bytes(&v, 4); }
    void F64(double v) { Bytes(&v, 8); }
    template <size_t N> void Text(const char (&text)[N])
    {
        // Nothing after the terminator leaks into the file.
        char field[N] = {};
        std::memcpy(field, text, strnlen(text, N - 1));
        Bytes(field, N);
    }
    void Decimal(const CDouble& v)
    {
        F64(static_cast<double>(v));
        U32(v.GetDecimal());
        U32(0);
    }
    void Date(const CDateTime& v)
    {
        double days = 0.0;
        if (v.IsValid()) {
            const int64_t seconds = v - CDateTime(1899, 12, 30, 0, 0, 0);
            const int64_t whole = seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
            const double fraction = static_cast<double>(seconds - whole * kSecondsPerDay) / kSecondsPerDay;
            days = whole >= 0 ? static_cast<double>(whole) + fraction : static_cast<double>(whole) - fraction;
        }
        F64(days);
        U32(static_cast<uint32_t>(v.GetStatus()));
    }

private:
    void Bytes(const void* p, size_t n)
    {
        const auto* b = static_cast<const uint8_t*>(p);
        m_out.insert(m_out.end(), b, b + n);
    }
    std::vector<uint8_t>& m_out;
};

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes)
        : m_bytes(bytes)
    {
    }
    uint32_t U32()
    {
        uint32_t v = 0;
        Bytes(&v, 4);
        return v;
    }
    double F64()
    {
        double v = 0;
        Bytes(&v, 8);
        return v;
    }
    template <size_t N> void Text(char (&text)[N])
    {
        Bytes(text, N);
        text[N - 1] = '\0';
    }
    void Decimal(CDouble& v)
    {
        const double value = F64();
        const uint32_t decimals = U32();
        U32();
        if (!std::isfinite(value))
            m_bOk = false;
        v = CDouble(value, decimals);
    }
    void Date(CDateTime& v)
    {
        const double days = F64();
        const uint32_t status = U32();
        v = CDateTime();
        if (status == CDateTime::valid) {
            if (!std::isfinite(days) || std::fabs(days) > kMaxDays) {
                m_bOk = false;
                return;
            }
            const double whole = std::trunc(days);
            const int64_t seconds = static_cast<int64_t>(whole) * kSecondsPerDay
                + std::llround(std::fabs(days - whole) * kSecondsPerDay);
            v = CDateTime(1899, 12, 30, 0, 0, 0) + seconds;
            if (!v.IsValid())
                m_bOk = false;
        } else if (status == CDateTime::invalid || status == CDateTime::null) {
            v.SetStatus(static_cast<CDateTime::DateTimeStatus>(status));
        } else {
            m_bOk = false;
        }
    }
    bool Ok() const { return m_bOk && m_nPos == m_bytes.size(); }

private:
    void Bytes(void* p, size_t n)
    {
        if (n > m_bytes.size() - m_nPos) {
            std::memset(p, 0, n);
            m_nPos = m_bytes.size();
            m_bOk = false;
            return;
        }
        std::memcpy(p, m_bytes.data() + m_nPos, n);
        m_nPos += n;
    }
    std::span<const uint8_t> m_bytes;
    size_t m_nPos = 0;
    bool m_bOk = true;
};

// The texts that the file leaves out, made again from what it keeps.
void RestoreUnstoredTexts(CLocalOrderRec& rec)
{
    auto put = [](auto& field, const std::string& text) {
        std::memset(field, 0, sizeof field);
        std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
    };
    put(rec.szExpiryDate, rec.dtExpiry.IsValid() ? rec.dtExpiry.FormatDateVORL() : std::string());
    put(rec.szExpiryTime, rec.szExpiryTimeText);
    put(rec.szSettleDate, rec.dtSettle.IsValid() ? rec.dtSettle.FormatDateVORL() : std::string());
}

} // namespace

void WriteLocalOrderRecord(const CLocalOrderRec& rec, std::vector<uint8_t>& out)
{
    Writer w(out);
    w.U32(rec.nRowIndex);
    w.Text(rec.szWorkArea);
    w.Text(rec.szStatus);
    w.Text(rec.szSecurityCode);
    w.Text(rec.szSecurity);
    w.Text(rec.szBoardName);
    w.Text(rec.szTrdAcc);
    w.Text(rec.szBuySell);
    w.Text(rec.szTypeLetters);
    w.Decimal(rec.dPrice);
    w.Decimal(rec.dYield);
    w.Decimal(rec.dQty);
    w.Decimal(rec.dHidden);
    w.Text(rec.szReference);
    w.Date(rec.dtExpiry);
    w.Decimal(rec.dTriggerPrice);
    w.Date(rec.dtSettle);
    w.Text(rec.szType);
    w.Text(rec.szValidity);
    w.Text(rec.szExpiryTimeText);
}

bool ReadLocalOrderRecord(std::span<const uint8_t, kLocalOrderFileRecord> bytes, CLocalOrderRec& rec)
{
    rec = CLocalOrderRec();
    Reader r(bytes);
    rec.nRowIndex = r.U32();
    r.Text(rec.szWorkArea);
    r.Text(rec.szStatus);
    r.Text(rec.szSecurityCode);
    r.Text(rec.szSecurity);
    r.Text(rec.szBoardName);
    r.Text(rec.szTrdAcc);
    r.Text(rec.szBuySell);
    r.Text(rec.szTypeLetters);
    r.Decimal(rec.dPrice);
    r.Decimal(rec.dYield);
    r.Decimal(rec.dQty);
    r.Decimal(rec.dHidden);
    r.Text(rec.szReference);
    r.Date(rec.dtExpiry);
    r.Decimal(rec.dTriggerPrice);
    r.Date(rec.dtSettle);
    r.Text(rec.szType);
    r.Text(rec.szValidity);
    r.Text(rec.szExpiryTimeText);
    RestoreUnstoredTexts(rec);
    return r.Ok();
}

bool WriteLocalOrderFile(std::span<const CLocalOrderRec* const> records, std::vector<uint8_t>& out)
{
    out.clear();
    if (records.size() > 0xFFFF)
        return false;
    out.reserve(2 + records.size() * kLocalOrderFileRecord);
    out.push_back(static_cast<uint8_t>(records.size() & 0xFF));
    out.push_back(static_cast<uint8_t>(records.size() >> 8));
    for (const CLocalOrderRec* rec : records)
        WriteLocalOrderRecord(*rec, out);
    return true;
}

bool ReadLocalOrderFile(std::span<const uint8_t> bytes, std::vector<CLocalOrderRec>& out)
{
    out.clear();
    if (bytes.size() < 2)
        return false;
    const size_t count = static_cast<size_t>(bytes[0]) | static_cast<size_t>(bytes[1]) << 8;
    if (count > (bytes.size() - 2) / kLocalOrderFileRecord)
        return false;
    out.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const auto record = bytes.subspan(2 + i * kLocalOrderFileRecord).first<kLocalOrderFileRecord>();
        if (!ReadLocalOrderRecord(record, out[i])) {
            out.clear();
            return false;
        }
    }
    return true;
}
