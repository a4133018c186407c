#pragma once

#include "core/CoreState.h"
#include "link/CommDevice.h"
#include "link/CommTrace.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "link/UnitLink.h"
#include "platform/Dialogs.h"
#include "tests/support/ResetAllState.h"
#include "tests/support/TempProgramFolder.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A unit in the same process: records every write the program makes, frame by
// frame as the link wrote it, and answers the poll and the page reads unless
// told to keep silent.
struct FakeUnit {
    std::vector<QByteArray> writes;
    bool silent = false;

    std::vector<QByteArray> answer(const QByteArray& bytes) {
        writes.push_back(bytes);
        if (silent || bytes.size() != 4 || bytes[3] != '\r')
            return {};
        if (bytes[0] == '1')
            return {QByteArray("1") + QByteArray(16, '\x05') + QByteArray(1, '\r')};
        const char letter = bytes[0];
        if (letter == '8' || letter == '9' || letter == ':' || letter == 0x40) {
            const int count = static_cast<unsigned char>(bytes[2]);
            return {QByteArray(1, letter) + bytes.mid(1, 1) + QByteArray(count, '\x07')};
        }
        return {};
    }
    // Everything written, in order, as one stream.
    QByteArray stream() const {
        QByteArray all;
        for (const QByteArray& w : writes)
            all += w;
        return all;
    }
    int polls() const {
        int n = 0;
        for (const QByteArray& w : writes)
            n += w == QByteArray("1\0\x10\r", 4) ? 1 : 0;
        return n;
    }
};

// Records what the link did to the windows above it, one text per call.
struct HookRecorder {
    QStringList calls;
    HookRecorder() {
        LinkHooks& h = Hooks();
        h.SetNoCommsCaption = [this](int i, const QString& c) {
            calls << QStringLiteral("caption%1=%2").arg(i).arg(c);
        };
        h.SetNoCommsVisible = [this](int i, bool v) {
            calls << QStringLiteral("visible%1=%2").arg(i).arg(v);
        };
        h.Comm_Dis_State = [this](bool on) {
            calls << QStringLiteral("Comm_Dis_State=%1").arg(on);
        };
        h.PB_Dis_State = [this](bool on) { calls << QStringLiteral("PB_Dis_State=%1").arg(on); };
        h.SetOnlineMenus = [this](bool on) { calls << QStringLiteral("online menus=%1").arg(on); };
        h.CheckPortMenu = [this](int p) { calls << QStringLiteral("port menu=%1").arg(p); };
        h.SetNoTuneMenus = [this] { calls << QStringLiteral("no-tune menus"); };
        h.SetPauseEnabled = [this](bool on) { calls << QStringLiteral("C_Pause=%1").arg(on); };
        h.SetPauseInterval = [this](int ms) {
            calls << QStringLiteral("C_Pause.Interval=%1").arg(ms);
        };
        h.Stop_Logg = [this] { calls << QStringLiteral("Stop_Logg"); };
        h.Store_Comm_Speed = [this] { calls << QStringLiteral("store speed"); };
        h.Comm1_OnComm = [this] { calls << QStringLiteral("OnComm"); };
    }
    ~HookRecorder() { ResetLinkHooks(); }
    bool has(const QString& call) const { return calls.contains(call); }
    int count(const QString& call) const { return static_cast<int>(calls.count(call)); }
    // The last caption / visibility set for label i, or "" when never set.
    QString last(const QString& prefix) const {
        for (auto it = calls.crbegin(); it != calls.crend(); ++it)
            if (it->startsWith(prefix))
                return *it;
        return {};
    }
};

// A link with the fake unit behind its serial control, fresh shared state, a
// program folder of its own with the trace open, and scripted dialogs.
class LinkTest : public ::testing::Test, protected FreshState {
protected:
    LinkTest() {
        auto device = std::make_unique<InProcessDevice>(
            [this](const QByteArray& b) { return unit.answer(b); });
        dev = device.get();
        link = std::make_unique<UnitLink>();
        link->Comm1.setDevice(std::move(device));
        Trace().open();
        recorder.calls.clear();
    }
    ~LinkTest() override { link.reset(); }

    // The port open, on-line, as the main window's start leaves it.
    void startOnline() {
        cfg_CommPort = 1;
        link->SerialPortOn();
        link->GO_ONLine();
        unit.writes.clear();
        recorder.calls.clear();
    }
    // Live polling with the unit answered.
    void startPolling() {
        startOnline();
        CommStatus = 10;
        send_receive = 2;
        UnitOnline = 1;
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i)
            link->Comm_Timer_Timer();
    }
    QStringList traceLines() const {
        const QString text = QString::fromLatin1(folder.read(CommTrace::FileName));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
    HookRecorder recorder;
    FakeUnit unit;
    InProcessDevice* dev = nullptr;
    std::unique_ptr<UnitLink> link;
};
