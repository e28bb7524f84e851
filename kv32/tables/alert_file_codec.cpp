#include "kv32/tables/alert_file_codec.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "kvcore/app/session_core.h"

namespace {
constexpr int64_t kSecondsPerDay = 86400;
// Beyond year 9999 on either side of the epoch: no date the program holds.
constexpr double kMaxDays = 3.0e6;

const CDateTime& Epoch()
{
    static const CDateTime epoch(1899, 12, 30, 0, 0, 0);
    return epoch;
}
} // namespace

void PutFixedText(fw::Archive& ar, const char* text, size_t width)
{
    std::vector<uint8_t> field(width, 0);
    if (width > 0 && text != nullptr)
        std::memcpy(field.data(), text, strnlen(text, width - 1));
    ar.writeBytes(field);
}

void GetFixedText(fw::Archive& ar, char* dst, size_t width)
{
    if (width == 0)
        return;
    ar.readBytes(std::span<uint8_t>(reinterpret_cast<uint8_t*>(dst), width));
    dst[width - 1] = '\0';
}

void PutDoubleImage(fw::Archive& ar, const CDouble& value)
{
    ar.writeDouble(static_cast<double>(value));
    ar.writeLong(static_cast<int32_t>(value.GetDecimal()));
    ar.writeDWord(0);
}

CDouble GetDoubleImage(fw::Archive& ar)
{
    const double v = ar.readDouble();
    const int32_t decimals = ar.readLong();
    ar.readDWord();
    if (decimals < 0 || static_cast<unsigned>(decimals) > kMaxStoredDecimals)
        throw fw::ArchiveError(fw::ArchiveError::Cause::BadIndex, "stored number with impossible decimals");
    return CDouble(std::isfinite(v) ? v : 0.0, static_cast<unsigned>(decimals));
}

double OleDateOf(const CDateTime& value)
{
    if (!value.IsValid())
        return 0.0;
    const int64_t seconds = value - Epoch();
    const int64_t q = seconds / kSecondsPerDay;
    const int64_t days = q - ((seconds % kSecondsPerDay != 0) && seconds < 0);
    const double fraction = static_cast<double>(seconds - days * kSecondsPerDay) / kSecondsPerDay;
    // Before the epoch the day counts down but the time of day still counts up.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

CDateTime DateTimeOfOle(double ole)
{
    if (!std::isfinite(ole) || std::fabs(ole) > kMaxDays)
        return CDateTime(); // invalid
    const double days = ole >= 0 ? std::floor(ole) : std::ceil(ole);
    const double fraction = std::fabs(ole - days);
    const int64_t seconds
        = static_cast<int64_t>(days) * kSecondsPerDay + std::llround(fraction * kSecondsPerDay);
    return Epoch() + seconds;
}

void PutDateTimeImage(fw::Archive& ar, const CDateTime& value)
{
    ar.writeDouble(OleDateOf(value));
    ar.writeLong(static_cast<int32_t>(value.GetStatus()));
}

CDateTime GetDateTimeImage(fw::Archive& ar)
{
    const double ole = ar.readDouble();
    const int32_t status = ar.readLong();
    if (status != CDateTime::valid) {
        CDateTime result;
        result.SetStatus(status == CDateTime::null ? CDateTime::null : CDateTime::invalid);
        return result;
    }
    return DateTimeOfOle(ole);
}

void NeedRecords(const fw::Archive& ar, size_t count, size_t recordBytes)
{
    if (recordBytes != 0 && count > ar.remaining() / recordBytes)
        throw fw::ArchiveError(fw::ArchiveError::Cause::EndOfFile, "file shorter than its count of records");
}

std::string KvSettingsFile(const std::string& name, const char* extension)
{
    return sSettingsPath + name + "." + extension;
}
