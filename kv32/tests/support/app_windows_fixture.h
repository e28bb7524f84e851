// The application offscreen with its list windows over the scripted router: a
// scratch settings folder, a session of TRADER01, message boxes answered "yes"
// and recorded, the tables emptied before and after each test, and helpers to
// feed host records, grant rights, open a window, select rows, ask a command's
// state and read what was sent. The list and market window fixtures build on it
// with the reference data their windows need.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/childframe.h"
#include "fw/ui/dialog.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/reply_partners.h"
#include "kv32/tables/all_tables.h"
#include "kv32/windows/list_view.h"
#include "kvcore/app/session_core.h"
#include "support/scratch_settings.h"
#include "support/scripted_router.h"
#include "support/table_feed.h"

namespace kv32test {

inline std::string WithZero(const std::string& text)
{
    return text + std::string(1, '\0') + "0";
}

class AppWindowsFixture : public ::testing::Test {
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
    }
    // Empties every table; a fixture that keeps more table state clears it too.
    virtual void FreeTables()
    {
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
    }
    static void Grant(int type, int code)
    {
        RightRec rec { RightTable().GetCount(), type, code, 0 };
        RightTable().AddRec(rec);
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
};

} // namespace kv32test
