#pragma once

// The one rule for whether an edit of the map may go to the unit now. Every
// producer of a map edit (the grid entry, the stepping keys, the console and
// every window that edits the map) makes it as one Edit (link/Edit.h), which
// asks the rule before it changes the image, writes through the write path
// (link/MapWrite.h) and hands the frames over with Send_Edit / Send_Edits.
//
// It reads the link's real state: the connection mode (OnlineState), where the
// timer is (CommStatus: connecting and reading out, or polling), whether the
// unit answers and the port works, and whether the unit is locked. It never
// reads UnitOnline, which lags behind all of these.
//
// What it keeps true: once the link is idle, every edited cell shows in the grid
// what the unit holds, or the user has been told that the edit was not sent.
// - on-line and polling: the edit is sent, after the requests already waiting;
// - while the unit is being connected or read, when it does not answer, or when
//   it is locked: the edit is refused, nothing changes, and the user is told why;
// - off-line: the edit changes the image only; the user is told once per spell
//   off-line, and asked before going on-line replaces such edits;
// - off-line with no map in the image (none loaded, or a locked unit's read-out,
//   which reads none, was all there was): the edit is refused, nothing changes,
//   and the user is told; there is no map to change;
// - writes still waiting when the link starts reading the unit afresh (the
//   reconnect after a silence, going on-line) would land after the read-out and
//   make the unit differ from the grid: they are taken back and the user is told.
// The notices go to the main window's status bar (panel NoticePanel).

#include "link/LinkState.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <vector>

namespace SendRule {

enum class Verdict {
    Send,        // on-line, polling, the unit answers: the edit goes to the unit
    ImageOnly,   // off-line: the edit changes the image only
    ReadingUnit, // the unit is being connected or read: refused
    NoAnswer,    // on-line, but the unit does not answer or the port is unusable: refused
    Locked,      // the unit is locked against tuning (No-Tune): refused
    NoMap,       // off-line with no map in the image (MapLoaded 0): refused
};

// The status bar panel the notices go to.
inline constexpr int NoticePanel = 1;
// Unanswered ticks of live polling after which the unit counts as silent; the
// link shows its loss then too (link/LinkState.h).
using LossLadder::SilentTicks;

// Whether an edit may be sent now.
Verdict May_Send();
// ReadingUnit, NoAnswer, Locked and NoMap: the edit must not change anything.
bool Refuses(Verdict verdict);
// The notice for a verdict ("" for Send).
QString Notice(Verdict verdict);

// Asks the rule for an edit about to be made: returns the verdict, and tells the
// user when it refuses the edit. Every producer of a map edit meets it (the Edit
// of link/Edit.h asks it as it begins; the scale editors' previews ask it per key;
// the live-cell steps and the console ask May_Send first): no window has a gate of
// its own for "no map".
Verdict Admit_Edit();

// Hands an edit's frames over according to the verdict Admit_Edit gave for it:
// queued for the unit (Send), or counted as an off-line edit (ImageOnly: the
// first one of a spell off-line is told). A refusing verdict hands nothing over.
// One frame is a single command, several a queue: without the progress window,
// or with it and a read-out of the unit after (SendKind::QueueWithProgress; the
// edit shows the progress window).
void Send_Edit(Verdict verdict, const QByteArray& frame);
void Send_Edits(Verdict verdict, std::vector<QByteArray> elements, SendKind kind = SendKind::Queue);

// What handing an edit over may change in the link: the requests waiting (and
// SendPending), the off-line edits counted and told, panel 1's notice. An edit
// (link/Edit.h) takes it before its hand-over and puts it back when an error
// stops the edit part-way, so that the link is left as it was before the edit.
// Putting back throws nothing; panel 1 is shown afresh at its next showing
// (Review_Notice, which the screens' redraw after a stopped step runs).
struct HandOver {
    static HandOver Take();
    void Put_Back() noexcept;

    std::deque<SendRequest> requests;
    int pending = SendIdle;
    int offlineEdits = 0;
    int offlineEditsTold = 0;
    QString notice;
    int noticeFor = -1;
    qint64 noticeAt = 0;
};

// Panel 1 of the status bar shows, in this order: the notice in force; the word
// that the grid is not the unit's map (GridNotUnits); the current map's file name.
// Tell shows a notice (a write path's refusal, a value held at a limit); "" ends
// it. A notice told for a state of the link (a refusal, the off-line word) lasts
// while the link stays in that state: Review_Notice, run by the link at each tick
// and change of state, drops it once the state has passed, and shows the panel
// afresh (a file renamed or saved under another name shows its new name). A
// refusal is seen whatever the link does next: it stays at least RefusalHoldMs
// (by NoticeClock, link/LinkState.h) unless the user's next edit or another
// notice replaces it first.
inline constexpr qint64 RefusalHoldMs = 5000;
void Tell(const QString& text);
void Tell(const QString& text, Verdict forState);
void Review_Notice();
// A new main window's panel: shown whole again.
void Show_Panel_Afresh();
// What panel 1 shows now.
QString Panel_Text();

// A whole map has been put into the image (a library load): on-line, when it was
// not sent, the grid shows a map the unit does not hold, and panel 1 and the
// link state say so until a download or a read-out (Image_Is_Units). A map in
// the image also ends NoMapUnderLock (link/LinkState.h).
void Image_Loaded(bool sent);
// A locked unit's read-out has left no map in the image (link/ReadOut.h): the
// image holds no map of any unit (NoMapUnderLock), so the grid shows no loaded map
// either and the word that it does goes (GridNotUnits).
void No_Map_In_Image();
void Image_Is_Units();
bool Grid_Not_Units();
inline const QString NotUnitsNotice =
    QStringLiteral("The grid shows the loaded map, not the unit's: Tools > Download sends it, "
                   "Tools > Upload reads the unit's back.");
inline const QString NotUnitsState = QStringLiteral("Status: On-Line, map not sent");

// The link starts reading the unit afresh: writes that would land after the
// read-out are taken back (told when there were any), and the edits made
// off-line are forgotten (the read-out replaces them).
void ReadOut_Restarts();
// Before the program closes: with edits made off-line that the unit does not
// hold and no file keeps (KeptImage::Has_Unkept_Edits), asks whether to close
// and lose them, No the default; true to close. Nothing is asked when nothing
// would be lost.
bool Confirm_Closing();
// Going off-line: the first edit of the new spell off-line is told again.
void Went_Offline();
// Before going on-line from the user's menu or label: with edits made off-line
// that the read-out would replace, asks whether to go on; true to go on-line.
bool Confirm_Going_Online();

inline const QString OfflineNotice =
    QStringLiteral("Off-line: changes go into the map image only; they are not sent to the unit.");
inline const QString NoMapNotice = QStringLiteral(
    "There is no map loaded and no unit on-line: nothing changed. File > Load Tune Map loads one.");

} // namespace SendRule
