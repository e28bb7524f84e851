// The market windows offscreen in the application over the scripted router:
// the reference tables filled from host records, every command permitted,
// and helpers to open a window, select rows, ask a command's state and read
// what was sent.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/mainframe.h"

#include <QMdiArea>
#include "fw/ui/dialog.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/reply_partners.h"
#include "kv32/tables/all_tables.h"
#include "kv32/windows/list_view.h"
#include "kvcore/app/session_core.h"
#include "support/scratch_settings.h"
#include "support/scripted_router.h"
#include "support/security_records.h"

namespace kv32test {

inline void Feed(CVorlTarget& table, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

inline std::string WithZero(const std::string& text)
{
    return text + std::string(1, '\0') + "0";
}

class MarketWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::setMessageBoxHook([this](const std::string& text, uint32_t) {
            boxes.push_back(fw::cp1250ToUtf8(text));
            return fw::IDYES;
        });
        dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
        app = std::make_unique<CKvApp>();
        app->m_aCommandLine = { "kv32", "/NOCHECKVERSION" };
        ASSERT_TRUE(app->start());
        session.OnNewDocument();
        ps = &session;
        router = std::make_unique<ScriptedRouter>("TRADER01");
        KvSetReplyPartners(nullptr);
        FreeTables();
        Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "0110"));
        Feed(StatusTable(), 115, StatusRecord(2, "002", 'S', "Suspended", "0000"));
        Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
        Feed(BoardTable(), 22, BoardRecord(2, "BRD2", "Second board", 'A'));
        Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A'));
        for (int type : { 36, 70, 27, 142, 132, 134, 140, 178 })
            Grant(type, 0);
        for (int code : { 1, 2, 3, 4, 5, 6, 9, 10, 12, 13 })
            Grant(142, code);
    }
    void TearDown() override
    {
        router->AnswerWith(nullptr);
        app->CloseAllDocuments();
        FreeTables();
        router.reset();
        ps = nullptr;
        app->finish();
        app.reset();
        fw::setMessageBoxHook({});
        fw::Dialog::setModalHook({});
        KvAppSettings() = CKvAppSettings();
        fw::setLanguage(fw::Language::English);
        for (unsigned id : installed)
            KvSetCommandDialog(id, nullptr);
    }
    static void Grant(int type, int code)
    {
        RightRec rec { RightTable().GetCount(), type, code, 0 };
        RightTable().AddRec(rec);
    }
    static void FreeTables()
    {
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
    }
    // A security on a board; its table row.
    int Security(const std::string& shortName, const std::string& board = "BRD1",
        const std::string& instrument = "INSTR0000001", char status = 'A')
    {
        SecuritySpec s;
        s.key = ++key;
        s.shortName = shortName;
        s.board = board;
        s.instrument = instrument;
        s.status = status;
        SecurityTable().DecodeSnapshot(SecuritySnapshot(s));
        return SecurityTable().GetCount() - 1;
    }
    void Install(unsigned id, KvCommandDialog dialog)
    {
        KvSetCommandDialog(id, std::move(dialog));
        installed.push_back(id);
    }
    template <class View> View* Open(std::uint32_t id)
    {
        CTDoc* doc = app->OpenTable(id, true, true, nullptr);
        if (doc == nullptr)
            return nullptr;
        auto* view = dynamic_cast<View*>(doc->firstView());
        if (view != nullptr)
            view->parentFrame()->resize(900, 260);
        return view;
    }
    // The frame in front, as after the user clicked into it.
    static void Activate(fw::View& view)
    {
        fw::MainFrame* main = fw::App::instance()->mainFrame();
        main->mdiArea()->setActiveSubWindow(view.parentFrame());
    }
    static bool Enabled(CListView& view, unsigned id)
    {
        fw::CmdUI ui(id);
        view.routeUpdate(ui);
        return ui.enabled();
    }
    static void Select(CListView& view, std::initializer_list<int> rows, int column = 1)
    {
        view.clearSelection();
        bool add = false;
        for (int row : rows) {
            view.selectRange({ row + 1, column, row + 1, column }, add);
            add = true;
        }
        view.setCurrentCell(*rows.begin() + 1, column);
    }
    std::vector<std::string> Sent(int code) const
    {
        std::vector<std::string> texts;
        for (const Msg& m : router->Requests())
            if (m.type == code)
                texts.push_back(m.bytes);
        return texts;
    }

    ScratchSettingsDir dir;
    fw::test::ManualClock clock;
    CSessionCore session;
    std::unique_ptr<CKvApp> app;
    std::unique_ptr<ScriptedRouter> router;
    std::vector<std::string> boxes;
    std::vector<unsigned> installed;
    int key = 0;
};

} // namespace kv32test
