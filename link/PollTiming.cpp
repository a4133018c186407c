#include "link/PollTiming.h"

#include "core/CoreState.h"
#include "core/DealerSettings.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/UnitLink.h"
#include "platform/Dialogs.h"
#include "platform/NumberRules.h"

#include <algorithm>
#include <chrono>

namespace PollTiming {

namespace {

int stepFor(int difference) {
    int step = 1;
    if (difference >= 7)
        step += 30;
    if (difference >= 5)
        step += 20;
    if (difference >= 3)
        step += 10;
    return step;
}

// The running mean of the interval over this run of samples, and the store of
// the learned base once the run is complete.
void learn(int interval) {
    const int n = ++TimeRun[3];
    TimeRun[5] = static_cast<int>(NumberRules::RoundEven(
        static_cast<double>(TimeRun[5]) / n * (n - 1) + static_cast<double>(interval) / n));
    if (TimeRun[3] > Timing().samplesPerStore) {
        // The run is over before the store starts: however the store ends, the
        // next second begins a new run instead of storing again.
        TimeRun[3] = 0;
        cfg_CommSpeed = std::clamp(TimeRun[5], MinCommSpeed, MaxCommSpeed);
        Hooks().Store_Comm_Speed();
    }
}

} // namespace

void Store_Learned_Base() {
    QStringList failed;
    if (WtsGeneral::Save_Port_To_Cfg_Files(&failed) || LearnedBaseTold)
        return;
    LearnedBaseTold = 1;
    Dialogs::msgBoxLater(
        QStringLiteral("The settings file could not be updated with the communication speed "
                       "learned on this connection (CommSpeed=%1):\n%2\n\nThe program goes on "
                       "at this speed; the next start begins from the speed saved before. "
                       "This is told once until the program is started again.")
            .arg(cfg_CommSpeed)
            .arg(failed.join('\n')),
        Dialogs::Icon::Exclamation, QStringLiteral("Settings File"));
}

Timings& Timing() {
    static Timings timings;
    return timings;
}

int Step_Interval(int interval, int rate, int target) {
    if (rate > target)
        return interval + stepFor(rate - target);
    return interval - stepFor(target - rate);
}

int Clamp_Interval(int interval, int base) {
    if (interval > base && interval - base > MaxDrift)
        interval = base + MaxDrift;
    if (interval <= base && base - interval > MaxDrift)
        interval = base - MaxDrift;
    return std::max(interval, MinInterval);
}

void Rate_Sample_At(const QTime& now) {
    if (now.second() == RateSampleTime.second()) {
        ++CommCnt;
        return;
    }
    if (CommCnt > 0)
        TimeCNTDO = static_cast<int>(NumberRules::RoundEven(CommCnt / 2.0 + TimeCNTDO / 2.0));
    Hooks().SetStatusPanel(2, QStringLiteral("Com Speed :") + QString::number(TimeCNTDO) +
                                  QStringLiteral(" /s"));
    CommCnt = 0;
    RateSampleTime = now;
    if (CommTimeCNT <= Timing().warmUpSeconds) {
        ++CommTimeCNT;
        return;
    }
    UnitLink* link = UnitLink::current();
    if (link == nullptr)
        return;
    const int interval = Clamp_Interval(
        Step_Interval(link->Comm_Timer.interval(), TimeCNTDO, PlaybackSpeed), cfg_CommSpeed);
    link->Comm_Timer.setInterval(interval);
    if (!link->Comm_Timer.isActive())
        link->Comm_Timer.start();
    // Play-back paces its feed with the same steps, but its rate says nothing
    // about the unit: the saved poll base stays as it is.
    if (LogState == 2 || LogState == 3)
        return;
    learn(interval);
}

void Rate_Sample() {
    // The rate needs only where one second ends and the next begins: a monotonic
    // clock tells that without the time-of-day lookup (and its look at the time
    // zone) that would cost a system call on every reply. Its seconds stand in
    // a day of their own.
    using namespace std::chrono;
    constexpr qint64 DayMs = 24LL * 60 * 60 * 1000;
    const qint64 ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    Rate_Sample_At(QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms % DayMs)));
}

} // namespace PollTiming
