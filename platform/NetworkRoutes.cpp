#include "NetworkRoutes.h"

#include <QByteArrayList>
#include <QFile>

namespace platform {
namespace {

constexpr unsigned kRouteUp = 0x0001;     // RTF_UP
constexpr unsigned kRouteReject = 0x0200; // RTF_REJECT

bool isZero(const QByteArray& hex) {
    return !hex.isEmpty() && hex.count('0') == hex.size();
}

unsigned hexValue(const QByteArray& hex) {
    bool ok = false;
    const unsigned value = hex.toUInt(&ok, 16);
    return ok ? value : 0;
}

bool usable(unsigned flags, const QByteArray& device) {
    return (flags & kRouteUp) && !(flags & kRouteReject) && device != "lo";
}

// Iface Destination Gateway Flags RefCnt Use Metric Mask ..., after a header line.
bool ipv4HasDefault(QByteArrayView table) {
    const QByteArrayList lines = table.toByteArray().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayList f = lines[i].simplified().split(' ');
        if (f.size() >= 8 && isZero(f[1]) && isZero(f[7]) && usable(hexValue(f[3]), f[0]))
            return true;
    }
    return false;
}

// Destination PrefixLength Source SourcePrefixLength NextHop Metric RefCnt Use Flags Iface.
bool ipv6HasDefault(QByteArrayView table) {
    for (const QByteArray& line : table.toByteArray().split('\n')) {
        const QByteArrayList f = line.simplified().split(' ');
        if (f.size() >= 10 && isZero(f[0]) && isZero(f[1]) && usable(hexValue(f[8]), f[9]))
            return true;
    }
    return false;
}

} // namespace

bool tablesHaveDefaultRoute(QByteArrayView ipv4Table, QByteArrayView ipv6Table) {
    return ipv4HasDefault(ipv4Table) || ipv6HasDefault(ipv6Table);
}

bool systemHasNoDefaultRoute() {
    QFile ipv4(QStringLiteral("/proc/net/route"));
    if (!ipv4.open(QIODevice::ReadOnly))
        return false;
    QFile ipv6(QStringLiteral("/proc/net/ipv6_route")); // absent where IPv6 is off
    const QByteArray ipv6Table = ipv6.open(QIODevice::ReadOnly) ? ipv6.readAll() : QByteArray();
    return !tablesHaveDefaultRoute(ipv4.readAll(), ipv6Table);
}

} // namespace platform
