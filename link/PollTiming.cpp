#include "link/PollTiming.h"

#include "core/CoreState.h"
#include "core/DealerSettings.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/UnitLink.h"
#include "platform/NumberRules.h"

#include <algorithm>

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
    if (TimeRun[3] > SamplesPerStore) {
        cfg_CommSpeed = std::clamp(TimeRun[5], MinCommSpeed, MaxCommSpeed);
        WtsGeneral::Save_Port_To_Cfg_Files();
        TimeRun[3] = 0;
    }
}

} // namespace

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
    if (CommTimeCNT <= WarmUpSeconds) {
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
    Rate_Sample_At(QTime::currentTime());
}

} // namespace PollTiming
