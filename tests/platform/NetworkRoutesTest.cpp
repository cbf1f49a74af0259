// Deciding from the kernel's routing tables whether the machine has a network at all.
#include "NetworkRoutes.h"

#include <gtest/gtest.h>

namespace {

constexpr char kIpv4Header[] =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
// The route to the local network alone, as a machine without a gateway has.
constexpr char kIpv4Local[] = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
constexpr char kIpv4Default[] = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
constexpr char kIpv4DefaultDown[] = "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n";
// The kernel's own IPv6 entries: loopback, and the rejecting default it keeps on lo.
constexpr char kIpv6Kernel[] =
    "00000000000000000000000000000001 80 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 00000000 00000002 00000000 80200001       lo\n"
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n";
constexpr char kIpv6Default[] =
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    "fd000000000000000000000000000001 00000400 00000002 00000000 00000003     eth0\n";

TEST(NetworkRoutes, OnlyAnUpDefaultRouteOffTheLoopbackCounts) {
    const std::string header = kIpv4Header;
    struct Case {
        std::string ipv4;
        std::string ipv6;
        bool network;
    };
    const Case cases[] = {
        {header + kIpv4Local + kIpv4Default, kIpv6Kernel, true},
        {header + kIpv4Local, std::string(kIpv6Kernel) + kIpv6Default, true},
        {header + kIpv4Local, kIpv6Kernel, false},
        {header + kIpv4DefaultDown, kIpv6Kernel, false},
        {"lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n", "", false}, // no header
        {header + "lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n", "", false},
        {header, "", false},
        {"", "", false},
        {header + "eth0 00000000 garbage\n", "00 00 00\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ipv4 + "|" + c.ipv6);
        EXPECT_EQ(platform::tablesHaveDefaultRoute(QByteArrayView(c.ipv4.data(), c.ipv4.size()),
                                                   QByteArrayView(c.ipv6.data(), c.ipv6.size())),
                  c.network);
    }
}

} // namespace
