// A router session over the fake router, with the message boxes it shows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kvcore/app/message_box.h"
#include "kvcore/router/cvorl.h"
#include "support/fake_router.h"

namespace kvtest {

class SessionFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        fw::setMessageBoxHook([this](const std::string& text, std::uint32_t flags) {
            boxes.push_back(text);
            boxFlags.push_back(flags);
            return fw::IDOK;
        });
        session = std::make_unique<CVorl>();
        session->Attach(FakeRouterApi());
        pvorl = session.get();
    }
    void TearDown() override
    {
        pvorl = nullptr;
        session.reset();
        fw::setMessageBoxHook(nullptr);
    }
    // A digest-sized password text.
    static std::string Digest(char c = 'A') { return std::string(64, c); }
    void ConnectOk(const char* user = "trader01")
    {
        ASSERT_EQ(session->Connect("kvsvc", "HOST", user, Digest().c_str()), 0);
        Fake().calls.clear();
    }

    std::unique_ptr<CVorl> session;
    std::vector<std::string> boxes;
    std::vector<unsigned> boxFlags;
};

} // namespace kvtest
