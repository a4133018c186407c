#pragma once

// The reply-rate measurement and the poll interval that follows it. Each parsed
// live reply is counted; at every new second the rate is smoothed and shown
// ("Com Speed :" in panel 2), and after a warm-up of 21 seconds the poll timer's
// interval is stepped toward PlaybackSpeed replies a second, kept within 30 ms of
// cfg_CommSpeed. Every 41 adapted seconds on-line the mean interval becomes the
// new cfg_CommSpeed and is written to the configuration files. During play-back
// the same steps pace the feed, but nothing is learned or stored.

#include "core/DealerSettings.h"

#include <QTime>

namespace PollTiming {

// The interval never goes below this, whatever the base and the rate.
inline constexpr int MinInterval = 10;
// A learned poll base outside this range is kept at its nearer end.
inline constexpr int MinCommSpeed = WtsGeneral::MinCommSpeed;
inline constexpr int MaxCommSpeed = WtsGeneral::MaxCommSpeed;
// How far the interval may move from cfg_CommSpeed.
inline constexpr int MaxDrift = 30;

// The two spans of the learning, in seconds of live polling: the program's are
// the defaults; a test of what happens at a store shortens them instead of
// waiting a minute for it.
struct Timings {
    // Second boundaries counted before the interval adapts (it adapts after 21).
    int warmUpSeconds = 20;
    // Adapted seconds over which the mean interval is taken before it is stored
    // (the store comes at the 41st).
    int samplesPerStore = 40;
};
Timings& Timing();

// One second's step of the interval for rate replies a second against target:
// 30, 20 and 10 ms more for a difference of at least 7, 5 and 3, and always 1 ms,
// longer when the rate is above the target, shorter otherwise.
int Step_Interval(int interval, int rate, int target);

// The interval held within MaxDrift of base, and never below MinInterval.
int Clamp_Interval(int interval, int base);

// Writes the learned cfg_CommSpeed into the configuration files. It runs inside
// the receive handler, so a failure is told after the handler has returned, and
// only once a run: the program goes on at the learned base either way.
void Store_Learned_Base();

// The sample of one live reply arriving at now.
void Rate_Sample_At(const QTime& now);
// The same now, on the monotonic clock (RateSampleTime then holds a time of that
// clock, not of the day).
void Rate_Sample();

} // namespace PollTiming
