// A started test workstation: settings in a scratch folder, no start-up window,
// manual time, the router session on the scripted router, and the framework's
// test script for dialogs and boxes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fw/test/fwtest.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/info_req.h"
#include "support/fake_router.h"
#include "support/scratch_dir.h"

#include <cstdlib>
#include "support/test_app.h"
#include "ui/test_workstation.h"

namespace kvtest {

class WorkstationFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        CallLog().clear();
        fPacket = fTrPacket = 0;
        aInfoReq.RemoveAll();
        dir.Write("kv32.ini", settings);
        // The user's settings files go to the scratch folder too.
        ::setenv("kv3userpath", dir.Path().c_str(), 1);
        // The clock is in place before the application exists and goes after it, so that no
        // timer ever moves to the system clock on the way.
        clock = std::make_unique<fw::test::ManualClock>();
        app = std::make_unique<WorkstationApp>();
        ASSERT_TRUE(app->start());
        ASSERT_NE(pvorl, nullptr);
        pvorl->Attach(FakeRouterApi());
        frame = app->Frame();
    }
    void TearDown() override
    {
        app->finish();
        app.reset();
        clock.reset();
        // Timers of finished modal loops are deleted later; let that happen before the end.
        fw::test::processEvents();
        iTS = 1;
        fHighSpeedMode = 0;
        iHighSpeedDelay = 10;
        fHighSpeed = 0;
        fPacket = fTrPacket = 0;
        aInfoReq.RemoveAll();
        ::unsetenv("kv3userpath");
    }
    // Logs on through the "Log on" command and the logon dialog, the host asking for no code.
    void LogOn()
    {
        script.expectDialog(IDD_LOGON, [](fw::Dialog& d) {
            d.userType(IDC_LOGON_USER, "trader01");
            d.userType(IDC_LOGON_PASSWORD, "Secret#123");
            d.userClick(fw::kIdOk);
        });
        Fake().replies.push_back({ { kAccepted, "" } }); // 182
        Fake().replies.push_back({ { kAccepted, "NO" } }); // 152
        Fake().replies.push_back({ { 5, "ROW1" }, { 0, "" } }); // first load
        Fake().replies.push_back({ { 5, "" } }); // 29
        fw::App::runCommandIfEnabled(frame, ID_KV_LOGON);
    }

    std::string settings = "[general]\nLogoPeriod=0\n";
    ScratchIniDir dir;
    fw::test::Script script;
    std::unique_ptr<WorkstationApp> app;
    std::unique_ptr<fw::test::ManualClock> clock;
    WorkstationFrame* frame = nullptr;
};

} // namespace kvtest
