#include "link/SendRule.h"

#include "core/CoreState.h"
#include "core/KeptImage.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/SendPath.h"
#include "platform/Dialogs.h"

namespace SendRule {

Verdict May_Send() {
    // Off-line the image is all there is: without a map in it there is nothing to
    // change. (On-line a map is read before polling starts: UnitOnline and
    // MapLoaded are set together at the read-out's end.)
    if (OnlineState == OnlineStates::Offline)
        return MapLoaded == 0 ? Verdict::NoMap : Verdict::ImageOnly;
    if (SendPending == SendPortFailed || PortLost == 1)
        return Verdict::NoAnswer;
    // 0 connecting, 1..9 the read-out: what the grid shows is about to be replaced.
    if (CommStatus < CommStates::Polling)
        return Verdict::ReadingUnit;
    // 10 polling, 11 and 12 a reply handled, 13 a request going out (later ones
    // wait behind it); anything else is no state the link polls from.
    if (CommStatus > CommStates::Sending)
        return Verdict::NoAnswer;
    if (UnitLocked == 1)
        return Verdict::Locked;
    if (bad_cnt >= SilentTicks)
        return Verdict::NoAnswer;
    return Verdict::Send;
}

bool Refuses(Verdict verdict) {
    return verdict == Verdict::ReadingUnit || verdict == Verdict::NoAnswer ||
           verdict == Verdict::Locked || verdict == Verdict::NoMap;
}

QString Notice(Verdict verdict) {
    switch (verdict) {
    case Verdict::Send:
        return QString();
    case Verdict::ImageOnly:
        return OfflineNotice;
    case Verdict::ReadingUnit:
        return QStringLiteral("Not sent: the unit is being read. Make the change again once the "
                              "read-out has finished.");
    case Verdict::NoAnswer:
        return QStringLiteral("Not sent: the unit does not answer. Make the change again once "
                              "the link is back.");
    case Verdict::Locked:
        return QStringLiteral("Not sent: the unit is locked (No-Tune); its maps cannot be "
                              "changed.");
    case Verdict::NoMap:
        return NoMapNotice;
    }
    return QString();
}

QString Panel_Text() {
    if (!PanelNotice.isEmpty())
        return PanelNotice;
    if (Grid_Not_Units())
        return NotUnitsNotice;
    return TuneFileName.isEmpty() ? QString() : QStringLiteral("File Name : ") + TuneFileName;
}

namespace {

// What PanelShown holds when the panel must be given its text whole at its next
// showing: no text the panel shows.
const QString NothingShown = QStringLiteral("\n");

void Show_Panel() {
    const QString text = Panel_Text();
    if (text == PanelShown)
        return;
    PanelShown = text;
    Hooks().SetStatusPanel(NoticePanel, text);
}

} // namespace

void Tell(const QString& text) {
    PanelNotice = text;
    PanelNoticeFor = -1;
    PanelNoticeAt = NoticeClock();
    Show_Panel();
}

void Tell(const QString& text, Verdict forState) {
    PanelNotice = text;
    PanelNoticeFor = static_cast<int>(forState);
    PanelNoticeAt = NoticeClock();
    Show_Panel();
}

void Show_Panel_Afresh() {
    PanelShown = NothingShown;
    Show_Panel();
}

namespace {

// A refusal is kept for RefusalHoldMs even once its cause has passed: a value
// typed as a read-out ends must not be refused with the panel already empty.
bool Refusal_Held() {
    return PanelNoticeFor >= 0 && Refuses(static_cast<Verdict>(PanelNoticeFor)) &&
           NoticeClock() - PanelNoticeAt < RefusalHoldMs;
}

} // namespace

void Review_Notice() {
    if (PanelNoticeFor >= 0 && static_cast<int>(May_Send()) != PanelNoticeFor && !Refusal_Held()) {
        PanelNotice.clear();
        PanelNoticeFor = -1;
    }
    Show_Panel();
}

void Image_Loaded(bool sent) {
    GridNotUnits = !sent && OnlineState != OnlineStates::Offline ? 1 : 0;
    NoMapUnderLock = 0; // a map is in the image now

    Show_Panel();
}

void No_Map_In_Image() {
    NoMapUnderLock = 1;
    GridNotUnits = 0; // no loaded map is shown: the grid holds none
    Show_Panel();
}

void Image_Is_Units() {
    if (GridNotUnits == 0)
        return;
    GridNotUnits = 0;
    Show_Panel();
}

bool Grid_Not_Units() {
    return GridNotUnits == 1 && OnlineState != OnlineStates::Offline;
}

Verdict Admit_Edit() {
    const Verdict verdict = May_Send();
    if (Refuses(verdict))
        Tell(Notice(verdict), verdict);
    return verdict;
}

namespace {

void Count_Offline_Edit() {
    ++OfflineEdits;
    if (OfflineEditsTold == 0) {
        OfflineEditsTold = 1;
        Tell(OfflineNotice, Verdict::ImageOnly);
    }
}

} // namespace

void Send_Edit(Verdict verdict, const QByteArray& frame) {
    if (verdict == Verdict::Send) {
        Tell(QString()); // an earlier refusal is over
        SendPath::Queue_Command(frame);
    } else if (verdict == Verdict::ImageOnly)
        Count_Offline_Edit();
}

void Send_Edits(Verdict verdict, std::vector<QByteArray> elements, SendKind kind) {
    if (verdict == Verdict::Send) {
        Tell(QString());
        SendPath::Queue_Elements(std::move(elements), kind);
    } else if (verdict == Verdict::ImageOnly)
        Count_Offline_Edit();
}

HandOver HandOver::Take() {
    return {SendRequests, SendPending,    OfflineEdits, OfflineEditsTold,
            PanelNotice,  PanelNoticeFor, PanelNoticeAt};
}

void HandOver::Put_Back() noexcept {
    SendRequests.swap(requests);
    SendPending = pending;
    OfflineEdits = offlineEdits;
    OfflineEditsTold = offlineEditsTold;
    PanelNotice.swap(notice);
    PanelNoticeFor = noticeFor;
    PanelNoticeAt = noticeAt;
    // What the panel shows may be a text of the hand-over: the next showing
    // gives it whole.
    PanelShown = NothingShown;
}

void ReadOut_Restarts() {
    ImageSentWhole = 0; // the unit read now may not be the one the image went to
    OfflineEdits = 0;
    OfflineEditsTold = 0;
    const int dropped = SendPath::Drop_Writes();
    if (dropped > 0)
        Tell(QStringLiteral("%1 change(s) not sent: the link was lost before they went out. "
                            "The grid shows the unit's map.")
                 .arg(dropped));
}

void Went_Offline() {
    OfflineEditsTold = 0;
}

bool Confirm_Going_Online() {
    if (OnlineState != OnlineStates::Offline || OfflineEdits == 0)
        return true;
    const Dialogs::Answer answer = Dialogs::msgBox(
        QStringLiteral("%1 change(s) made off-line have not been sent to the unit. Going on-line "
                       "reads the unit's map into the grid and replaces them.")
                .arg(OfflineEdits) +
            QChar(13) + QChar(13) + QStringLiteral("Go on-line now?"),
        Dialogs::Buttons::YesNo, Dialogs::Icon::Question, QStringLiteral("Changes not sent"),
        Dialogs::DefaultButton::Second);
    return answer == Dialogs::Answer::Yes;
}

bool Confirm_Closing() {
    // The count goes back to nothing when the read-out replaces the edits; a
    // map saved or loaded since keeps what they changed, or replaced them.
    if (OfflineEdits == 0 || !KeptImage::Has_Unkept_Edits())
        return true;
    const Dialogs::Answer answer = Dialogs::msgBox(
        QStringLiteral("The map holds changes made off-line that are saved in no file and have "
                       "not been sent to the unit. Closing the program loses them.") +
            QChar(13) + QChar(13) + QStringLiteral("Close the program now?"),
        Dialogs::Buttons::YesNo, Dialogs::Icon::Exclamation, QStringLiteral("Changes not saved"),
        Dialogs::DefaultButton::Second);
    return answer == Dialogs::Answer::Yes;
}

} // namespace SendRule
