// The operator against a host application process through the router's block.
#include <string>

#include "router_test_support.h"
#include "vorl/server.h"

namespace routertest {
namespace {

TEST_F(RouterTest, OperatorRoundTripThroughAServerProcess)
{
    writeConfig("Clients=2\nWindowSize=2\n");
    auto router = startAndWait("vorlrouter", { config_ }, "router.out", "ready on");
    auto echo = startAndWait("echohost", { config_ }, "echo.out", "serving");
    struct Case {
        int type;
        std::string text;
        int pktClass;
    };
    const Case cases[] = { { 77, "ping", 0 }, { 78, std::string(2000, 'x'), 3 }, { 79, "", 1 } };
    for (const Case& c : cases) {
        std::string reply(VORL_OPERATOR_BUFSIZE, '\0');
        int type = 0, length = -1;
        ASSERT_EQ(VORLOperator(config_.c_str(), nullptr, nullptr, c.type, c.text.data(),
                      static_cast<int>(c.text.size()), c.pktClass, &type, reply.data(), &length),
            VORL_OK);
        EXPECT_EQ(type, c.type);
        ASSERT_EQ(length, static_cast<int>(c.text.size()));
        EXPECT_EQ(reply.substr(0, c.text.size()), c.text);
    }
    EXPECT_EQ(echo->stop(), 0);
    EXPECT_EQ(router->stop(), 0);
}

} // namespace
} // namespace routertest
