#include "link/PlaybackModel.h"

#include "core/CoreState.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/LogLines.h"
#include "link/ReadOut.h"
#include "link/WtsUp.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

bool offline() {
    return OnlineState == OnlineStates::Offline;
}

bool endRecord(const QString& record) {
    return record.contains(QLatin1String("End"));
}

} // namespace

bool PlaybackModel::Complete_Record(const QString& line) {
    // The time text, then " ," and every byte followed by a blank. A line cut in
    // its time text has no comma; one cut in its bytes has no blank after the last.
    static const QRegularExpression time(
        QStringLiteral("^ *[0-9]{1,2}:[0-9]{2}:[0-9]{2}( *[A-Za-z.]+)? *$"));
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    return comma > 0 && time.match(line.left(comma)).hasMatch() &&
           line.endsWith(QLatin1Char(' ')) && LogLines::Record_Bytes(line).has_value();
}

QStringList PlaybackModel::Read_Raw_Log(const QString& path, int* skipped) {
    // CR CR LF is one line end (a copy through a system that added its own CR),
    // not a blank line after every record.
    QString text = TextFile::readAll(path);
    text.replace(QLatin1String("\r\r\n"), QLatin1String("\r\n"));
    const QStringList lines = TextFile::splitLines(text);
    const QString name = QFileInfo(path).fileName();
    // Records run from the line after the header to the "End" line; a log cut off
    // without its "End" (the program stopped while logging) keeps its complete
    // replies. What is no complete record (a line cut by a crash or a full disk,
    // a blank line) is passed over, so the good records around it still play.
    QStringList records;
    int passed = 0;
    for (qsizetype i = 1; i < lines.size() && records.size() < MaxRecords; ++i) {
        if (endRecord(lines[i]))
            break;
        if (!Complete_Record(lines[i])) {
            ++passed;
            continue;
        }
        records << lines[i];
    }
    if (skipped)
        *skipped = passed;
    if (records.isEmpty() && passed == 0)
        throw KvrError(KvrError::InputPastEnd,
                       QStringLiteral("%1 holds no recorded data.").arg(name));
    if (records.isEmpty())
        throw KvrError(KvrError::BadFileMode,
                       QStringLiteral("%1 holds no recorded data: none of its %2 lines is a "
                                      "complete recorded reply.")
                           .arg(name)
                           .arg(passed));
    return records;
}

void PlaybackModel::Set_Records(const QString& fileName, const QStringList& records) {
    records_ = records;
    fileName_ = fileName;
    PlaybackIndex = 0;
    hold_ = 0;
    emit changed();
}

PlaybackModel::PlaybackModel() {
    Reset();
}

void PlaybackModel::Reset() {
    records_.clear();
    fileName_.clear();
    hold_ = 0;
    run_ = pause_ = stop_ = false;
    runningTime_.clear();
    emit changed();
}

void PlaybackModel::Clear() {
    Set_Records(QString(), {});
}

void PlaybackModel::setPlayingButtons(bool playing) {
    run_ = !playing;
    pause_ = playing;
    stop_ = playing;
    emit changed();
}

void PlaybackModel::disableButtons() {
    run_ = pause_ = stop_ = false;
    emit changed();
}

void PlaybackModel::setRunningTime(const QString& text) {
    runningTime_ = text;
    emit changed();
}

void PlaybackModel::Run() {
    // Records replace what the port delivers: never while the unit is on-line.
    if (!offline() || records_.isEmpty())
        return;
    PlaybackIndex = 0;
    Ask_Image_Replacement();
    LogState = 3;
    setPlayingButtons(true);
}

void PlaybackModel::Pause() {
    if (!offline() || (LogState != 2 && LogState != 3))
        return;
    if (LogState == 2)
        Ask_Image_Replacement();
    LogState = LogState == 2 ? 3 : 2;
    setPlayingButtons(true);
}

bool PlaybackModel::isPageRecord(int i) const {
    const std::optional<QByteArray> bytes = LogLines::Record_Bytes(record(i));
    if (!bytes || bytes->isEmpty())
        return false;
    const char letter = bytes->at(0);
    return letter == WtsUp::ReadParam || letter == WtsUp::ReadPage5 || letter == WtsUp::ReadPage6 ||
           letter == WtsUp::ReadText;
}

void PlaybackModel::Ask_Image_Replacement() {
    agreed_.reset();
    if (!KeptImage::Has_Unkept_Edits())
        return;
    bool pagesAhead = false;
    for (int i = std::max(PlaybackIndex + 1, 1); i <= count() && !pagesAhead; ++i)
        pagesAhead = isPageRecord(i);
    if (!pagesAhead)
        return;
    const Dialogs::Answer answer = Dialogs::msgBox(
        QStringLiteral("This recording holds the map of the unit it was recorded from. Played "
                       "back, it replaces the map shown, and the changes made to that map that "
                       "are not saved are lost.") +
            QChar(13) + QChar(13) +
            QStringLiteral("Replace the map shown by the recorded one? (No plays back the "
                           "readings only and keeps the map shown.)"),
        Dialogs::Buttons::YesNo, Dialogs::Icon::Question, QStringLiteral("Play Back"),
        Dialogs::DefaultButton::Second);
    if (answer == Dialogs::Answer::Yes)
        agreed_ = KeptImage::Current();
}

void PlaybackModel::Recorded_Page(const QByteArray& reply) {
    const bool agreed = agreed_ && KeptImage::Same_Edits(*agreed_, KeptImage::Current());
    if (KeptImage::Has_Unkept_Edits() && !agreed)
        return;
    if (!ReadOut::Recorded_Page(reply))
        return;
    // The image is the recording's now, which the raw log keeps.
    KeptImage::Mark_Kept();
    agreed_.reset();
}

void PlaybackModel::Playback_Menu_State2() {
    LogState = 0;
    setPlayingButtons(false);
    Hooks().Playback_Menu_State2();
}

std::optional<QByteArray> PlaybackModel::Feed() {
    if (PlaybackIndex < 0 || PlaybackIndex >= count()) {
        Playback_Menu_State2();
        return std::nullopt;
    }
    ++PlaybackIndex;
    const QString& current = record(PlaybackIndex);
    if (PlaybackIndex + 2 <= count() && record(PlaybackIndex + 2).size() > PageRecordChars)
        hold_ = HoldTicks;
    runningTime_ = LogLines::Running_Time_Text(PlaybackIndex);
    setPlayingButtons(true);
    if (endRecord(current)) {
        Playback_Menu_State2();
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = LogLines::Record_Bytes(current);
    // The last record is handled, and nothing is fed after it.
    if (PlaybackIndex == count())
        Playback_Menu_State2();
    return bytes;
}

PlaybackModel& Playback() {
    static PlaybackModel model;
    return model;
}
