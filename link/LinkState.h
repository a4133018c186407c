#pragma once

// The state the serial link owns and other areas read: one declaration each,
// defined in LinkState.cpp. OnlineState, UnitOnline and MapTab live in
// core/CoreState.h.

#include <QByteArray>
#include <QString>
#include <QTime>
#include <array>
#include <deque>
#include <functional>
#include <vector>

// How a request of the send path is sent (the values of SendSubState).
enum class SendKind {
    Command = 0,           // one frame, sent once
    Refresh = 1,           // nothing sent: the whole unit is read again
    QueueWithProgress = 2, // one element per tick, progress window, then a read-out
    Queue = 4,             // one element per tick, then straight back to polling
};

// One request waiting in the send path: its kind and everything it sends. An
// element may hold several frames one after the other.
struct SendRequest {
    SendKind kind = SendKind::Command;
    std::vector<QByteArray> elements;
};

// State of the communication timer, one of CommStates.
extern int CommStatus;
namespace CommStates {
inline constexpr int Connect = 0;      // connect and first poll
inline constexpr int FirstPage = 1;    // first page request
inline constexpr int ReadOutFirst = 2; // read-out requests 2..9
inline constexpr int ReadOutLast = 9;
inline constexpr int Polling = 10;      // live polling
inline constexpr int Replied = 11;      // a reply handled since the last tick
inline constexpr int RepliedTwice = 12; // two replies handled since the last tick
inline constexpr int Sending = 13;      // sending a request of the send path
} // namespace CommStates
// 1 = a request went out and no good reply has come back since; 2 = answered.
extern int send_receive;
// Ticks left unanswered; the receive handler sets 0 on every good reply.
extern int bad_cnt;
// The counts of bad_cnt the link acts on, named once for the tick and the send rule.
namespace LossLadder {
// The poll slows to the learned base and a margin.
inline constexpr int SlowTicks = 5;
// While connecting: the loss is shown and the interval grows.
inline constexpr int ConnectLossTicks = 20;
// While polling: the unit counts as silent, the loss is shown and the interval grows.
inline constexpr int SilentTicks = 30;
// The port is opened again and the link connects afresh; the count goes back by
// ReconnectSetBack, so a second long silence gives up.
inline constexpr int ReconnectTicks = 60;
inline constexpr int ReconnectSetBack = 40;
} // namespace LossLadder

// The frame a builder has just built (scratch: builders replace it).
extern QByteArray FrameText;
// The outstanding request of the read-out after connecting, sent in states 2..9;
// kept apart from user commands so neither overwrites the other.
extern QByteArray ReadRequest;
// The reply length the receive threshold waits for.
extern int comm_rth;

// Requests raised and not yet taken by the timer, oldest first.
extern std::deque<SendRequest> SendRequests;
// The request the timer is sending: its elements, the kind (SendSubState) and the
// number of elements sent so far (SendLineNo). SendTaken says one is in hand.
extern std::vector<QByteArray> SendQueue;
extern bool SendTaken;
// SendIdle, SendWaiting (a request waits) or SendPortFailed (nothing starts).
extern int SendPending;
inline constexpr int SendIdle = 0;
inline constexpr int SendWaiting = 1;
inline constexpr int SendPortFailed = 99;
// The kind of the request in hand (SendKind), or SendQueueSent once a queue
// without progress has gone out.
extern int SendSubState;
inline constexpr int SendQueueSent = 3;
inline constexpr int Sub_State(SendKind kind) {
    return static_cast<int>(kind);
}
extern int SendLineNo;
// 2 = the queue of the clear-unit sequence is being sent (progress shows the
// element number, the sequencer is held off until the queue is done).
extern int PauseMode;

// 0 idle, 1 logging to files, 2 play-back paused, 3 play-back running.
extern int LogState;
// Records per second of the play-back; 10 after going on-line.
extern int PlaybackSpeed;
// Poll-timing table: element 3 = interval samples since the last store,
// element 5 = running mean of the interval in ms.
extern std::array<int, 6> TimeRun;
// Reply-rate measurement: live replies counted in the current second, the
// smoothed replies per second, when the last second boundary was seen, and the
// second boundaries seen so far (counted up to 21: the interval adapts after
// them). Going on-line or off-line leaves them as they are.
extern int CommCnt;
extern int TimeCNTDO;
extern QTime RateSampleTime;
extern int CommTimeCNT;
// The play-back record fed last (1-based; 0 = before the first). The records
// themselves are in link/PlaybackModel.h.
extern int PlaybackIndex;

// Set from the live reply: 1 = the unit is locked (No-Tune); the active map
// (1 A, 2 B); 1 when the active map changed.
extern int UnitLocked;
extern int ActiveMap;
extern int MapChanged;
// 1 while MapLoaded and UnitOnline stand only for a locked unit's read-out,
// which reads no map (pages 5, 6 and the text area are left out): the image holds
// no map, whatever it held before (the read-out empties it but for what it read,
// link/ReadOut.h). Going off-line ends the lock and takes both back, so the
// screens that edit the image see that there is no map and the menu's Off-Line
// loads the default map. A whole map put into the image (SendRule::Image_Loaded)
// or a full read-out ends it.
extern int NoMapUnderLock;
// 1 from a download of the whole image (WtsCM::Download_All) until the unit is
// read afresh: the unit then holds the image's map. A download whose No-Tune
// mark locks the unit ends in a locked read-out, which reads no map; the image
// is the very map the unit was given, so that read-out keeps it. A read-out
// begun anew (SendRule::ReadOut_Restarts: going on-line, a reconnect, another
// port), the clear-unit sequence and a full read-out end it.
extern int ImageSentWhole;
// The active map of the previous live reply (0 before the first).
extern int PrevActiveMap;
// The status flags byte of the live reply and its bits.
extern int UnitFlags;
inline constexpr int FlagLocked = 0x01;
inline constexpr int FlagModeBad = 0x10;
inline constexpr int FlagRpmBad = 0x20;
inline constexpr int FlagIgnBad = 0x40;
inline constexpr int FlagMapA = 0x80;

// The reply being handled, and the decimal text of its first byte ("49" live,
// "56", "57", "58", "64" pages); the console keeps its command letters here too.
extern QByteArray rx;
extern QString cmd;

// The reading set, stored from every live reply of an unlocked unit that has
// been read out. Voltages and deflection are in volts; EnginePeriod is in timer
// counts with a fraction of 1/256.
extern int UnitVersion;
extern float Reading0; // analog input, 0..10 V
extern int Reading1;   // analog modification, signed
extern float Reading2; // analog output, 0..10 V
extern float Reading3; // deflection, 0..5 V
extern int Reading4;   // injection length
extern float EnginePeriod;
extern int LambdaRaw;    // oxygen sensor byte
extern int LiveMapCell;  // cell index column x 16 + row, or NoLiveCell
extern int Reading11;    // RPM row of the live point
extern int LiveAmpCellA; // AMP-column row on the injection and ignition tabs
extern int LiveAmpCellB; // AMP-column row on the analog tab
extern int AnalogIn1;    // engine temperature input byte
extern int AnalogIn2;    // AMP input byte
extern int LiveRpm;
// The ignition modification in degrees is CellValue (core/CoreState.h), the
// same whole number the degree formatters leave.
// The reading set above (CellValue with it) back to its program-start values:
// nothing of a unit's engine is held. A locked unit's read-out and going off-line
// from a locked unit call it, so no readout shows what an earlier unit read.
void Forget_Readings();

// LiveMapCell when the unit reports a deflection column of 8 or more: the engine
// is outside the maps, and nothing may act on a cell. Check Has_Live_Cell()
// before using LiveMapCell as an index.
inline constexpr int NoLiveCell = -1;
inline bool Has_Live_Cell() {
    return LiveMapCell >= 0 && LiveMapCell < 128;
}

// The highest engine speed the unit recorded (page 4, 204 and 205), 0 when the
// record holds none.
extern int MaxRpmSeen;

// The progress window's task, one of StatusStates (its text is what the window shows).
extern QString StatusMsg;
// The states StatusMsg holds, by name: each is also the text the progress window
// shows for it; empty is no task.
namespace StatusStates {
inline const QString LoadingDefaultMap = QStringLiteral("Loading Default Map");
inline const QString UploadingData = QStringLiteral("Uploading Data");
inline const QString UploadingMapA = QStringLiteral("Uploading Map A");
inline const QString UploadingMapB = QStringLiteral("Uploading Map B");
inline const QString NoTuneEnabled = QStringLiteral("NO TUNE Enabled");
} // namespace StatusStates

// The console: the whole line entered last, and 1 while a letter typed in the
// cell entry box has been handed over to it (cleared by its next key).
extern QString ConsoleLine;
extern int ConsoleHandover;

// 1 after the port vanished under the link (unplugged adapter, closed
// pseudo-terminal) until it opens again: the timer then sends nothing and keeps
// counting towards the reconnect.
extern int PortLost;
// 1 once the user has been told that the port failed, until it opens again:
// further failures of the same spell stay quiet.
extern int PortFailTold;
// 1 once the user has been told that the learned poll base could not be stored;
// a run of the program tells it once.
extern int LearnedBaseTold;
// Retries of an open that found the port in use by another program.
extern int PortTryCount;

// Edits made off-line since the program last went on-line: they changed the
// image only (link/SendRule.h). OfflineEditsTold is 1 once the user has been
// told so in this spell off-line.
extern int OfflineEdits;
extern int OfflineEditsTold;
// Status bar panel 1 (link/SendRule.h): the notice in force, and the verdict of
// the send rule it was told for (-1 = an event's notice, kept until the next).
extern QString PanelNotice;
extern int PanelNoticeFor;
extern qint64 PanelNoticeAt; // when it was told (NoticeClock)
extern QString PanelShown;   // what the panel was last given
// The clock the panel's notices are timed by: milliseconds of a steady clock.
// Tests put in their own, so a hold runs out when they say.
extern std::function<qint64()> NoticeClock;
// Test seam: the write path (link/MapWrite.h) calls it before it stores each
// value into the image, with the value's page and address. A test makes the
// n-th call throw, as a memory that runs short would, to stop an edit part-way;
// empty (the program) it is not called.
extern std::function<void(int page, int address)> ImageStoreSeam;
// 1 while the grid shows a whole map put into the image on-line and not sent:
// the unit holds another map (until a download or a read-out).
extern int GridNotUnits;

// Puts every variable above back to its program-start value.
void ResetLinkState();
