// The firm FIRM1 with three users and a second firm, the logged-on TRADER01
// with his session, and the helpers of the account dialog tests.
#pragma once

#include <QDir>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "deal_dialogs/deal_fixture.h"
#include "fw/test/fwtest.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/session_core.h"
#include "support/kv32_fixture.h"

namespace acctest {

using kv32test::End;
using kv32test::Msg;

inline std::string Pad(const std::string& s, size_t width)
{
    std::string out = s;
    out.resize(width, ' ');
    return out;
}

inline std::string Digits(int n, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, n);
    return text;
}

// A reply page of request 88: continuation, last flag, rows "code:status".
inline Msg Page88(const std::string& next, bool last, const std::vector<std::string>& rows)
{
    std::string text = next + std::string(12, ' ') + (last ? '1' : '0') + Digits(static_cast<int>(rows.size()), 6);
    for (const std::string& r : rows)
        text += Pad(r.substr(0, r.size() - 2), 12) + r.back();
    return { 88, text };
}

inline Msg Accepted(const std::string& text = std::string())
{
    return { 193, text + '\0' };
}

inline Msg Refused(const std::string& text)
{
    return { 192, text + '\0' };
}

const std::string kUser = "TRADER01    ";

// A list window in front, installed for its lifetime.
using dealtest::FakeActiveRow;

class AccountDialogs : public kv32test::Kv32Fixture {
protected:
    AccountDialogs()
        : session("TRADER01")
    {
        session.m_sUser = "TRADER01";
        session.GetTrAccLocal()->m_entries.clear();
        ps = &session;
        for (const auto& [code, name] : { std::pair { "FIRM1", "Broker One" }, std::pair { "FIRM2", "Broker Two" } }) {
            ParticipantRec p;
            std::strcpy(p.szCode, code);
            std::strcpy(p.szName, name);
            std::strcpy(p.szType, "BROK");
            ParticipantTable().AddRec(p);
        }
        for (const auto& [code, firm] : { std::pair { "TRADER01", "FIRM1" }, std::pair { "TRADER02", "FIRM1" },
                 std::pair { "TRADER03", "FIRM1" }, std::pair { "OTHER1", "FIRM2" } }) {
            TraderRec t;
            std::strcpy(t.szCode, code);
            std::strcpy(t.szName, code);
            std::strcpy(t.szFirm, firm);
            TraderTable().AddRec(t);
        }
    }
    ~AccountDialogs() override
    {
        ParticipantTable().Free();
        TraderTable().Free();
        ps = nullptr;
        fw::setLanguage(fw::Language::English);
    }

    // The transactions of one code sent so far.
    std::vector<std::string> Sent(int code) const
    {
        std::vector<std::string> out;
        for (const Msg& m : router.Requests())
            if (m.type == code)
                out.push_back(m.bytes);
        return out;
    }

    // Saves the dialog's picture when KV32_SHOT_DIR names a folder.
    static void Shoot(QWidget& w, const char* name)
    {
        const QImage image = w.grab().toImage();
        EXPECT_FALSE(image.isNull()) << name;
        if (const char* dir = std::getenv("KV32_SHOT_DIR"))
            image.save(QDir(dir).filePath(QString::fromLatin1(name)));
    }

    CSession session;
    fw::test::Script script;
};

} // namespace acctest
