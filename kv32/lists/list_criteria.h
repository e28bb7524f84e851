// What a list window asks of its filter: whether a record is listed, the
// words its title gains, storing with the workspace, and a return to the
// filter's starting state. The window's own filter class sits behind it, so
// the window framework does not depend on any one kind of criteria.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace fw {
class Archive;
}

class CListCriteria {
public:
    virtual ~CListCriteria() = default;
    virtual void Reset() = 0;
    // True when the record (the host table's record bytes) is to be listed.
    virtual bool Match(const std::uint8_t* record) = 0;
    // Appends the caption of the active criteria (nothing when none).
    virtual void GetDescription(std::string& title) = 0;
    virtual void Serialize(fw::Archive& ar) = 0;
};

// A filter class with the usual operations, over records of type Rec.
template <class Filter, class Rec> class CCriteriaOf : public CListCriteria {
public:
    template <class... Args> explicit CCriteriaOf(Args&&... args) : m_filter(std::forward<Args>(args)...) { }
    void Reset() override { m_filter.Reset(); }
    bool Match(const std::uint8_t* record) override
    {
        return m_filter.Match(*reinterpret_cast<const Rec*>(record));
    }
    void GetDescription(std::string& title) override { m_filter.GetDescription(title); }
    void Serialize(fw::Archive& ar) override { m_filter.Serialize(ar); }
    Filter& Get() { return m_filter; }

private:
    Filter m_filter;
};

// Lists every record: the criteria of a window whose filter is not set.
class CListAllCriteria : public CListCriteria {
public:
    void Reset() override { }
    bool Match(const std::uint8_t*) override { return true; }
    void GetDescription(std::string&) override { }
    void Serialize(fw::Archive&) override { }
};
