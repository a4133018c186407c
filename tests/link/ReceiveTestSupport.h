#pragma once

#include "LinkTestSupport.h"

#include "link/ReceiveHandler.h"
#include "sim/SimUnit.h"

#include <random>

// The receive handler in place, and the live display and read-out hooks
// recorded in order (the trace label and the reply-rate panel left out).
inline void Record_Receive_Hooks(HookRecorder& r) {
    LinkHooks& h = Hooks();
    h.Comm1_OnComm = ReceiveHandler::Comm1_OnComm;
    QStringList* calls = &r.calls;
    for (auto [hook, name] : {std::pair{&h.Cursor_Movement, "Cursor_Movement"},
                              {&h.Plot_Setup, "Plot_Setup"},
                              {&h.RPM_Bar_movement, "RPM_Bar_movement"},
                              {&h.Bar_Draw, "Bar_Draw"},
                              {&h.Text_Values, "Text_Values"},
                              {&h.Withhold_Readings, "Withhold_Readings"},
                              {&h.arrange_table, "arrange_table"},
                              {&h.Set_RPM_Indication_BAR, "Set_RPM_Indication_BAR"}}) {
        const QString n = QString::fromLatin1(name);
        *hook = [calls, n] { *calls << n; };
    }
    h.Arrange_NoTUNE = [calls](bool normal) {
        *calls << QStringLiteral("Arrange_NoTUNE=%1").arg(normal);
    };
    h.SelectTab = [calls](int tab) { *calls << QStringLiteral("tab=%1").arg(tab); };
    h.ShowActiveMap = [calls](int map) { *calls << QStringLiteral("map button=%1").arg(map); };
    // The trace label and the reply-rate panel follow every reply; the tests of
    // the trace and the poll timing read them on their own.
    h.SetLabel = [calls](LinkLabel label, const QString& text) {
        if (label != LinkLabel::lblComm)
            *calls << Label_Name(label) + '=' + text;
    };
    h.SetStatusPanel = [calls](int panel, const QString& text) {
        if (panel != 2)
            *calls << QStringLiteral("panel%1=%2").arg(panel).arg(text);
    };
    h.Main_Caption = [calls] { *calls << QStringLiteral("caption of frmMain"); };
}

// Bytes from..to of an image table, and of a page of the simulated unit.
inline QByteArray Image_Bytes(const ImageTable& table, int from, int to) {
    QByteArray b;
    for (int a = from; a <= to; ++a)
        b.append(static_cast<char>(table[a]));
    return b;
}
inline QByteArray Unit_Bytes(const sim::Unit& unit, int page, int from, int to,
                             int bank = sim::Unit::MapA) {
    QByteArray b;
    for (int a = from; a <= to; ++a)
        b.append(static_cast<char>(unit.byte(page, a, bank)));
    return b;
}

// Fills every byte the read-out moves with a pattern of its own, so that a byte
// stored in the wrong place shows. The unit stays unlocked.
inline void Scramble(sim::Unit& unit, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int a = 0; a < 256; ++a) {
        unit.setByte(4, a, byte(random));
        for (int bank : {sim::Unit::MapA, sim::Unit::MapB}) {
            unit.setByte(5, a, byte(random), bank);
            unit.setByte(6, a, byte(random), bank);
        }
    }
    unit.setByte(4, 145, 4); // four cylinders
    QByteArray text(256, '\0');
    for (char& c : text)
        c = static_cast<char>(byte(random));
    text[191] = 0; // no No-Tune flag
    unit.setText(text);
}

// The link with the simulated unit in the same process: replies are handed
// over by settle(), as they would arrive once the program waits for them.
class SimReceiveTest : public LinkTest {
protected:
    SimReceiveTest() {
        auto device = std::make_unique<InProcessDevice>([this](const QByteArray& b) {
            std::vector<QByteArray> replies = sim.feed(b);
            produced += replies.size();
            return replies;
        });
        dev = device.get();
        link->Comm1.setDevice(std::move(device));
        Record_Receive_Hooks(recorder);
    }

    // Hands over replies until handling them asks for nothing more.
    void settle() {
        for (int round = 0; round < 100; ++round) {
            const std::size_t before = produced;
            dev->deliver();
            if (produced == before)
                return;
        }
    }
    // Goes on-line and lets the read-out run to live polling.
    void connect() {
        startOnline();
        tick();
        settle();
    }
    // n polls, each answered.
    void poll(int n) {
        for (int i = 0; i < n; ++i) {
            tick();
            settle();
        }
    }
    // Frames the unit received, polls left out.
    std::vector<QByteArray> reads() const {
        std::vector<QByteArray> v;
        for (const QByteArray& f : sim.frames())
            if (f.at(0) != '1')
                v.push_back(f);
        return v;
    }

    sim::Unit sim;
    std::size_t produced = 0;
};
