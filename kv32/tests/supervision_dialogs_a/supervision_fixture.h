// A small market for the supervisors' dialogs: two boards, securities in
// statuses with their transition flags, two issuers, an instrument, trading
// events with their exchange message, and the logged-on user TRADER01, with the
// trading-system clock at 10:15:00.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "fw/core/clock.h"
#include "deal_dialogs/deal_fixture.h"
#include "fw/test/fwtest.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/session_core.h"
#include "support/clock_support.h"
#include "support/kv32_fixture.h"
#include "support/security_records.h"

namespace supervisiontest {

using kv32test::End;
using kv32test::Msg;

enum SecurityRow : int { kAlfa = 0, kBeta, kGovt, kGamma };
enum StatusRow : int { kActive = 0, kSuspended, kHalted, kClosed };

inline void AddStatus(const char* code, char kind, const char* name, const char* flags)
{
    StatusRec s {};
    std::strcpy(s.szCode, code);
    s.cKind = kind;
    std::strcpy(s.szName, name);
    s.nTextLen = static_cast<int32_t>(std::strlen(flags));
    std::memcpy(s.szText, flags, std::strlen(flags));
    StatusTable().AddRec(s);
}

inline void AddSecurity(const char* board, const char* instrument, const char* shortName, const char* status,
    double upper, double lower)
{
    CSecurityTable& table = SecurityTable();
    kv32test::SecuritySpec spec;
    spec.key = table.GetCount() + 1;
    spec.board = board;
    spec.instrument = instrument;
    spec.shortName = shortName;
    spec.name = std::string("Long name of ") + shortName;
    table.DecodeSnapshot(kv32test::SecuritySnapshot(spec));
    SecurityRec* rec = table.GetRec(table.GetCount() - 1);
    rec->nPriceDec = 2;
    std::strcpy(rec->szStateKey, status);
    rec->dUpperLimit = CDouble(upper, 2);
    rec->dLowerLimit = CDouble(lower, 2);
}

inline void FillMarket()
{
    for (const auto& [code, name] : { std::pair { "MAIN", "Main Board" }, std::pair { "BOND", "Bond Board" } }) {
        BoardRec b;
        std::strcpy(b.szCode, code);
        std::strcpy(b.szName, name);
        BoardTable().AddRec(b);
    }
    // The flags name the statuses a security may move to, by position.
    AddStatus("ACT", 'A', "Active", "0110");
    AddStatus("SUS", 'S', "Suspended", "1000");
    AddStatus("HLT", 'H', "Halted", "1100");
    AddStatus("CLO", 'C', "Closed", "1000");
    AddSecurity("MAIN", "ALFA00000001", "ALFA", "Active", 14.00, 11.00);
    AddSecurity("MAIN", "BETA00000001", "BETA", "Closed", 0, 0);
    AddSecurity("BOND", "GOVT00000001", "GOVT", "Halted", 101.5, 98.5);
    AddSecurity("MAIN", "GAMA00000001", "GAMMA", "Active", 0, 0);
    for (const auto& [code, name] :
        { std::pair { "ISS1", "Issuer One" }, std::pair { "ISS2", "Issuer Two" } }) {
        ParticipantRec p;
        std::strcpy(p.szCode, code);
        std::strcpy(p.szName, name);
        std::strcpy(p.szType, "ISSR");
        ParticipantTable().AddRec(p);
    }
    MarketRec instrument {};
    std::strcpy(instrument.szCode, "EQTY");
    std::strcpy(instrument.szName, "Equities");
    InstrumentTable().AddRec(instrument);
}

// A trading event of a type letter, naming an object and a message key.
inline void AddEvent(char type, const char* objectCode, const char* objectName, const char* key, int hour)
{
    TradeEventRec e;
    e.nIndex = TradeEventTable().GetCount();
    e.nEventId = 100 + e.nIndex;
    e.cEventType = type;
    std::strcpy(e.szObjectCode, objectCode);
    std::strcpy(e.szObjectName, objectName);
    std::strcpy(e.szMessageKey, key);
    e.time = CDateTime(2026, 12, 10, hour, 30, 0);
    TradeEventTable().AddRec(e);
}

inline void AddMessage(const char* key, const char* text)
{
    ExchMessageRec m {};
    std::strcpy(m.szKey, key);
    std::strcpy(m.szReceived, text);
    std::strcpy(m.szMessage, text);
    m.nReference = -1;
    ExchMessageTable().AddRec(m);
}

inline void ClearMarket()
{
    for (CVorlPermTarget* t : std::initializer_list<CVorlPermTarget*> { &BoardTable(), &SecurityTable(),
             &StatusTable(), &ParticipantTable(), &InstrumentTable(), &TradeEventTable(), &ExchMessageTable(),
             &ScheduleTable(), &RightTable() })
        t->Free();
    KvSetActiveRow(nullptr);
    KvDisplayType() = ' ';
}

using dealtest::FakeActiveRow;

struct SupervisorSession {
    SupervisorSession()
        : session("TRADER01")
    {
        session.m_sUser = "TRADER01";
        ps = &session;
    }
    ~SupervisorSession() { ps = nullptr; }
    CSession session;
};

inline std::string Accepted()
{
    return std::string("Accepted.") + '\0';
}

inline std::string Refused()
{
    return std::string("Refused by the host.") + '\0';
}

inline const std::string kUser = "TRADER01    ";

class SupervisionFixture : public kv32test::Kv32Fixture {
protected:
    SupervisionFixture() { FillMarket(); }
    ~SupervisionFixture() override { ClearMarket(); }

    // The messages of one type sent so far.
    std::vector<std::string> Sent(int type) const
    {
        std::vector<std::string> sent;
        for (const Msg& m : router.Requests())
            if (m.type == type)
                sent.push_back(m.bytes);
        return sent;
    }

    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 10, 15, 0) };
    fw::ClockScope clockScope { clock };
    SupervisorSession supervisor;
    fw::test::Script script;
};

} // namespace supervisiontest
