// The reachability probes against servers that never answer: each gives up at
// its own time-out, never at the system's far longer one. Times are measured,
// so this runs apart from the unit tests, with bounds generous enough for a
// loaded machine.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "links/link_test_support.h"
#include "links/loopback_server.h"
#include "links/network_probe.h"
#include "platform/internet.h"

namespace pathbook {
namespace {

using Clock = std::chrono::steady_clock;

// Far above the probes' time-outs, far below the system's own waits (a
// minute and more), which a lost time-out would fall back to.
constexpr double kEndsInSeconds = 30.0;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(ProbeTimeoutTest, ConnectToAListenerThatNeverAcceptsEndsAtTheTimeOut) {
    test::FullBacklogListener listener;
    if (!listener.Full()) GTEST_SKIP() << "the system accepts every connection to a full backlog";
    std::vector<platform::HostAddress> loopback;
    ASSERT_TRUE(platform::LookUpHost(u"127.0.0.1", &loopback) && !loopback.empty());
    Clock::time_point start = Clock::now();
    EXPECT_FALSE(TryConnect(loopback[0], platform::ToNetworkPort(listener.Port())));
    const double tcpSeconds = SecondsSince(start);
    // It waited: the connection was not refused at once.
    EXPECT_GE(tcpSeconds, kTcpConnectMilliseconds / 2000.0);
    EXPECT_LT(tcpSeconds, kEndsInSeconds);

    start = Clock::now();
    EXPECT_FALSE(ProbeHttp(test::U(("http://127.0.0.1:" + std::to_string(listener.Port()) + "/").c_str())));
    EXPECT_LT(SecondsSince(start), kEndsInSeconds);
}

TEST(ProbeTimeoutTest, HttpServerThatNeverAnswersEndsAtTheRequestTimeOut) {
    test::LoopbackServer server(test::LoopbackServer::Kind::kSilent);
    Clock::time_point start = Clock::now();
    EXPECT_FALSE(ProbeHttp(test::U(server.Url("http", "/").c_str())));
    EXPECT_LT(SecondsSince(start), kEndsInSeconds);
}

}  // namespace
}  // namespace pathbook
