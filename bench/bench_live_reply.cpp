// What the receive path costs for one live reply: from the bytes reaching the
// serial control to the readings stored and the labels' texts made, with the
// window's redraw left out (the hooks do nothing). It should stay under 20 us.

#include "core/CoreState.h"
#include "core/UnitImage.h"
#include "link/CommDevice.h"
#include "link/LinkState.h"
#include "link/UnitLink.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr double LimitUs = 20;
constexpr int Replies = 200000;

// Live replies of an engine between idle and high revs, across the map.
std::vector<QByteArray> replies() {
    std::vector<QByteArray> v;
    for (int i = 0; i < 256; ++i) {
        QByteArray r(18, '\0');
        r[0] = '1';
        r[1] = 3;
        for (int n = 2; n < 17; ++n)
            r[n] = static_cast<char>((i * 7 + n * 13) & 0xFF);
        r[6] = static_cast<char>(1 + i % 5); // period high byte: 900 .. 6000 rpm
        r[12] = static_cast<char>(i & 0x7F);
        r[14] = static_cast<char>(0x80 | (i & 0x70)); // map A, some error bits
        r[17] = '\r';
        v.push_back(r);
    }
    return v;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ParamBlock[Idx_Cylinders] = 4;

    UnitLink link;
    auto device = std::make_unique<InProcessDevice>(
        [](const QByteArray&) { return std::vector<QByteArray>{}; });
    InProcessDevice& line = *device;
    link.Comm1.setDevice(std::move(device));
    link.Comm1.setPortOpen(true);
    link.Comm1.setRThreshold(18);
    OnlineState = OnlineStates::Online;
    UnitOnline = 1;
    PrevActiveMap = 1;

    const std::vector<QByteArray> set = replies();
    long long checksum = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Replies; ++i) {
        CommStatus = 10; // as the timer leaves it before each poll
        line.received(set[static_cast<std::size_t>(i) & 255]);
        checksum += LiveRpm;
    }
    const auto end = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(end - start).count() / Replies;

    std::printf(
        "receive path of one live reply: %.2f us (limit %.0f us), %d replies, rpm sum %lld\n", us,
        LimitUs, Replies, checksum);
    std::printf("%s\n", us < LimitUs ? "met" : "NOT met");
    return us < LimitUs ? 0 : 1;
}
