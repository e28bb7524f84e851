// gallery_news_dialogs <output folder>: renders the message and news dialogs
// to PNG, in English and Hungarian, offscreen, over a few sample firms, users,
// messages, news heads and an alert log entry.
#include <QDir>
#include <cstring>
#include <functional>
#include <memory>

#include "fw/core/locale.h"
#include "fw/ui/app.h"
#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/dialogs/news_dlgs.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/values/intl_info.h"
#include "shot.h"
#include "support/security_records.h"

namespace {

void FillTables()
{
    for (const auto& [code, name, type] : { std::tuple { "BRK1", "First Broker Ltd.", "BROK" },
             std::tuple { "BRK2", "Second Broker Ltd.", "BROK" }, std::tuple { "ISS1", "Alfa Nyrt.", "ISSR" } }) {
        ParticipantRec p;
        std::strcpy(p.szCode, code);
        std::strcpy(p.szName, name);
        std::strcpy(p.szType, type);
        ParticipantTable().AddRec(p);
    }
    for (const auto& [code, name, firm] : { std::tuple { "BRK1T1", "Anna Kov\xe1" "cs", "BRK1" },
             std::tuple { "BRK2T1", "B\xe9la Szab\xf3", "BRK2" } }) {
        TraderRec t;
        std::strcpy(t.szCode, code);
        std::strcpy(t.szName, name);
        std::strcpy(t.szFirm, firm);
        TraderTable().AddRec(t);
    }
    MessageTextRec draft {};
    std::strcpy(draft.szName, "Early close");
    std::strcpy(draft.szText, "The market closes at 14:00 today.");
    MessageTextTable().AddRec(draft);
    ExchMessageRec m {};
    m.time = CDateTime(2026, 12, 10, 10, 15, 0);
    std::strcpy(m.szFromUser, "BRK2T1");
    std::strcpy(m.szFromFirm, "BRK2");
    std::strcpy(m.szToUser, "BRK1T1");
    std::strcpy(m.szToFirm, "BRK1");
    std::strcpy(m.szReceived, "Please call me about the ALFA block.");
    std::strcpy(m.szMessage, m.szReceived);
    m.cDisplayMode = 'P';
    m.cStatus = 'S';
    ExchMessageTable().AddRec(m);
    ExchMessageTable().m_nLastPopup = 0;
    for (const auto& [code, name] : { std::pair { "ANN", "Announcement" }, std::pair { "RES", "Result" } }) {
        NewsTypeRec t {};
        std::strcpy(t.szCode, code);
        std::strcpy(t.szName, name);
        NewsTypeTable().AddRec(t);
    }
    for (const auto& [code, name] : { std::pair { "EN", "English" }, std::pair { "HU", "Hungarian" } }) {
        LanguageRec l {};
        std::strcpy(l.szCode, code);
        std::strcpy(l.szName, name);
        LanguageTable().AddRec(l);
    }
    kv32test::SecuritySpec s;
    s.key = 1;
    s.board = "MAIN";
    s.instrument = "ALFA00000001";
    s.shortName = "ALFA";
    SecurityTable().DecodeSnapshot(kv32test::SecuritySnapshot(s));
    NewsRec h;
    h.nNewsId = 4711;
    std::strcpy(h.szType, "Announcement");
    std::strcpy(h.szLanguage, "Hungarian");
    std::strcpy(h.szIssuer, "Alfa Nyrt.");
    std::strcpy(h.szSecurity, "ALFA");
    h.dateTime = CDateTime(2026, 12, 10, 11, 22, 33);
    std::strcpy(h.szTitle, "Quarterly report");
    h.cFlag1 = 'N';
    h.cFlag2 = 'Y';
    h.cDisplayMode = 'P';
    NewsTable().AddRec(h);
    NewsTable().AttachBody(0, "Revenue grew by 12 per cent.\r\nThe full report is attached.");
    CLogEntry e;
    e.Reset();
    e.nKind = LOG_KIND_SECURITY_ALERT;
    std::strcpy(e.szShortName, "ALFA");
    std::strcpy(e.szBoardName, "Main board");
    std::strcpy(e.szText, "Last price above 2,800.00");
    AlertLogTable().AddEntry(e, 0);
}

bool Shot(fw::Dialog& dlg, const QDir& out, const char* name, const char* lang)
{
    dlg.initialize();
    dlg.adjustSize();
    dlg.show();
    const bool ok = gallery::save(dlg, QStringLiteral("%1/%2-%3.png").arg(out.path(), name, lang));
    dlg.hide();
    return ok;
}

bool Render(const QDir& out, const char* lang)
{
    bool ok = true;
    {
        CMsgSendDlg dlg;
        ok &= Shot(dlg, out, "message-send", lang);
    }
    {
        CMsgRecvDlg dlg;
        ok &= Shot(dlg, out, "message-received", lang);
    }
    {
        nCurrentLog = 0;
        CLogRecvDlg dlg;
        ok &= Shot(dlg, out, "message-alert-log", lang);
    }
    {
        CNewsDlg dlg;
        dlg.SetMode(3, 0);
        ok &= Shot(dlg, out, "news-publish", lang);
    }
    {
        CNewsItemDlg dlg(0);
        ok &= Shot(dlg, out, "news-item", lang);
    }
    {
        CNewsRecvDlg dlg;
        ok &= Shot(dlg, out, "news-received", lang);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    auto render = [](const QDir& out, const char* lang, const fw::LocaleInfo& locale) {
        KvSetIntl(locale);
        return Render(out, lang);
    };
    return gallery::runGallery(argc, argv, "gallery_news_dialogs", [] {
        FillTables();
        return true;
    }, render);
}
