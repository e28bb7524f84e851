// The date field and the time field of the workstation's dialogs, without the window:
// three date parts and three time parts that are each filled or empty, limits on the
// moment they make, and the value in the router's wire form. A date field starts at
// the trading date with the time 23:59:59 and refuses days before the trading system's
// current time; a time field starts at the current trading time without limits.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "kvcore/kvcore_api.h"
#include "kvcore/values/cdatetime.h"

class KVCORE_API CKvSECDateTimeCtrl {
public:
    enum Part { Day, Month, Year, Hour, Minute, Second };
    static constexpr int kParts = 6;
    enum class Kind { Date, Time };

    CKvSECDateTimeCtrl();

    void AttachDateCtrl();
    void AttachTimeCtrl();
    Kind GetKind() const { return m_kind; }

    // False (and nothing changes) for an invalid moment or one outside the limits.
    bool SetDateTime(const CDateTime& value);
    // The moment of the filled parts; not valid while a date or time part is empty.
    CDateTime GetDateTime() const;
    std::optional<CDateTime> MinTime() const { return m_min; }
    std::optional<CDateTime> MaxTime() const { return m_max; }

    // -1 for an empty part.
    int GetPart(Part part) const { return m_parts[part]; }
    // False (and nothing changes) when the value is out of the part's range, or when it
    // completes its group to a day that does not exist or a moment outside the limits.
    bool SetPart(Part part, int value);
    void ClearPart(Part part);
    Part ActivePart() const { return m_active; }
    void SetActivePart(Part part) { m_active = part; }
    // The key-up handler: Delete empties the active part.
    void OnKeyUp(int vk);

    // yyyymmdd, empty when the value is not valid.
    std::string FormatDateVORL() const;
    // hhmmss, empty when the time parts are not all filled.
    std::string FormatTimeVORL() const;
    // -1 when one or two parts of the date or of the time are empty, else 0.
    int IsInvalid() const;

private:
    bool GroupFilled(int first) const;
    int GroupEmpty(int first) const;
    // The moment of a set of parts when all six are filled and make a valid moment.
    static CDateTime Compose(const std::array<int, kParts>& parts);
    bool WithinLimits(const CDateTime& value) const;
    void Fill(const CDateTime& value);

    Kind m_kind = Kind::Date;
    std::array<int, kParts> m_parts { -1, -1, -1, -1, -1, -1 };
    std::optional<CDateTime> m_min;
    std::optional<CDateTime> m_max;
    Part m_active = Day;
};
