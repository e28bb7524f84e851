#include "kvcore/controls/date_picker.h"

#include "kvcore/controls/currency_edit.h"

namespace {

struct Range {
    int low;
    int high;
};

Range RangeOf(CKvSECDateTimeCtrl::Part part)
{
    switch (part) {
    case CKvSECDateTimeCtrl::Day:
        return { 1, 31 };
    case CKvSECDateTimeCtrl::Month:
        return { 1, 12 };
    case CKvSECDateTimeCtrl::Year:
        return { CDateTime::GetMinTime().GetYear(), CDateTime::GetMaxTime().GetYear() };
    case CKvSECDateTimeCtrl::Hour:
        return { 0, 23 };
    default:
        return { 0, 59 };
    }
}

} // namespace

CKvSECDateTimeCtrl::CKvSECDateTimeCtrl() = default;

void CKvSECDateTimeCtrl::AttachDateCtrl()
{
    m_kind = Kind::Date;
    const CDateTime now = CDateTime::GetTickCount();
    m_min = now;
    m_max = CDateTime::GetMaxTime();
    Fill(CDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 23, 59, 59));
    m_active = Day;
}

void CKvSECDateTimeCtrl::AttachTimeCtrl()
{
    m_kind = Kind::Time;
    m_min.reset();
    m_max.reset();
    Fill(CDateTime::GetTickCount());
    m_active = Hour;
}

void CKvSECDateTimeCtrl::Fill(const CDateTime& value)
{
    m_parts = { value.GetDay(), value.GetMonth(), value.GetYear(), value.GetHour(), value.GetMinute(),
        value.GetSecond() };
}

bool CKvSECDateTimeCtrl::WithinLimits(const CDateTime& value) const
{
    return (!m_min || !(value < *m_min)) && (!m_max || !(*m_max < value));
}

bool CKvSECDateTimeCtrl::SetDateTime(const CDateTime& value)
{
    if (!value.IsValid() || !WithinLimits(value))
        return false;
    Fill(value);
    return true;
}

CDateTime CKvSECDateTimeCtrl::Compose(const std::array<int, kParts>& p)
{
    CDateTime value;
    for (int v : p)
        if (v < 0)
            return value;
    value.SetDateTime(p[Year], p[Month], p[Day], p[Hour], p[Minute], p[Second]);
    return value;
}

CDateTime CKvSECDateTimeCtrl::GetDateTime() const
{
    return Compose(m_parts);
}

bool CKvSECDateTimeCtrl::GroupFilled(int first) const
{
    return GroupEmpty(first) == 0;
}

int CKvSECDateTimeCtrl::GroupEmpty(int first) const
{
    int empty = 0;
    for (int i = first; i < first + 3; ++i)
        empty += m_parts[static_cast<size_t>(i)] < 0 ? 1 : 0;
    return empty;
}

bool CKvSECDateTimeCtrl::SetPart(Part part, int value)
{
    const Range range = RangeOf(part);
    if (value < range.low || value > range.high)
        return false;
    std::array<int, kParts> next = m_parts;
    next[part] = value;
    // A complete group must make a real day, and a complete value must keep to the limits.
    if (next[Day] >= 0 && next[Month] >= 0 && next[Year] >= 0
        && !CDateTime(next[Year], next[Month], next[Day], 0, 0, 0).IsValid())
        return false;
    const CDateTime moment = Compose(next);
    if (moment.IsValid() && !WithinLimits(moment))
        return false;
    m_parts = next;
    return true;
}

void CKvSECDateTimeCtrl::ClearPart(Part part)
{
    m_parts[part] = -1;
}

void CKvSECDateTimeCtrl::OnKeyUp(int vk)
{
    if (vk == kVkDelete)
        ClearPart(m_active);
}

std::string CKvSECDateTimeCtrl::FormatDateVORL() const
{
    return GetDateTime().FormatDateVORL();
}

std::string CKvSECDateTimeCtrl::FormatTimeVORL() const
{
    if (!GroupFilled(Hour))
        return {};
    CDateTime time;
    time.SetDateTime(2000, 1, 1, m_parts[Hour], m_parts[Minute], m_parts[Second]);
    return time.FormatTimeVORL();
}

int CKvSECDateTimeCtrl::IsInvalid() const
{
    for (int first : { static_cast<int>(Day), static_cast<int>(Hour) }) {
        const int empty = GroupEmpty(first);
        if (empty == 1 || empty == 2)
            return -1;
    }
    return 0;
}
