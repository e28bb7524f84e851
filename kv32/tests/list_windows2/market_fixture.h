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
#include "support/app_windows_fixture.h"
#include "support/scripted_router.h"
#include "support/security_records.h"

namespace kv32test {

class MarketWindows : public AppWindowsFixture {
protected:
    void SetUp() override
    {
        AppWindowsFixture::SetUp();
        if (HasFatalFailure())
            return;
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
        AppWindowsFixture::TearDown();
        for (unsigned id : installed)
            KvSetCommandDialog(id, nullptr);
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
    // The frame in front, as after the user clicked into it.
    static void Activate(fw::View& view)
    {
        fw::MainFrame* main = fw::App::instance()->mainFrame();
        main->mdiArea()->setActiveSubWindow(view.parentFrame());
    }

    std::vector<unsigned> installed;
    int key = 0;
};

} // namespace kv32test
