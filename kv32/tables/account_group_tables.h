// The code lists of the "Trading Account Groups" dialog, fetched on demand:
// the groups of the user's firm (request 60) and, for one group, its accounts
// (61) and its users (62). The dialog owns the table while it shows them; the
// tables never subscribe and have no window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kv32/tables/host_tables.h"

struct GroupRec {
    char szCode[13];
    char szName[31];
    char szOwner[13]; // the firm that owns the group
};

struct GroupAccountRec {
    char szCode[13];
    char szName[31];
};

struct GroupUserRec {
    char szCode[13];
};

// One table of the three: its record, request code, and where its reply's
// end byte stands (the echoed key fields before it differ in width).
template <class TRecord> class CCodeTableBase : public CHostTable<TRecord> {
public:
    CCodeTableBase(int request, size_t endByteOffset)
        : CHostTable<TRecord>(0xFFFF, 8)
        , m_nRequest(request)
        , m_nEndByte(endByteOffset)
    {
        std::fill(std::begin(this->m_szNextKey), std::end(this->m_szNextKey), '\0');
    }

protected:
    // The request loop; the group code is sent by requests 61 and 62 only.
    int RunRequest(const std::string* group);
    void TakeRecord(int type, CRecordReader& reader) override
    {
        if (type == m_nRequest)
            this->Decode(reader);
    }
    // The reply's header: resume key, end byte and entry count (clamped to
    // the entries the message holds); -1 when the header is incomplete.
    int ReadHeader(CRecordReader& reader, size_t entryWidth);

    const int m_nRequest;
    const size_t m_nEndByte;
};

class CCodeTable60 : public CCodeTableBase<GroupRec> {
public:
    CCodeTable60();
    int Request() { return RunRequest(nullptr); }
    int Decode(CRecordReader& reader) override;
};

class CCodeTable61 : public CCodeTableBase<GroupAccountRec> {
public:
    CCodeTable61();
    int Request(const std::string& group) { return RunRequest(&group); }
    int Decode(CRecordReader& reader) override;
};

class CCodeTable62 : public CCodeTableBase<GroupUserRec> {
public:
    CCodeTable62();
    int Request(const std::string& group) { return RunRequest(&group); }
    // Only entries whose state letter is 'A' are kept.
    int Decode(CRecordReader& reader) override;
};
