#include "link/PlaybackModel.h"

#include "core/CoreState.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/LogLines.h"
#include "platform/KvrError.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace {

bool offline() {
    return OnlineState == OnlineStates::Offline;
}

bool endRecord(const QString& record) {
    return record.contains(QLatin1String("End"));
}

} // namespace

QStringList PlaybackModel::Read_Raw_Log(const QString& path) {
    const QStringList lines = TextFile::readLines(path);
    const QString name = QFileInfo(path).fileName();
    // Records run from the line after the header to the "End" line; a log cut off
    // without its "End" (the program stopped while logging) keeps its last reply.
    QStringList records;
    for (qsizetype i = 1; i < lines.size() && records.size() < MaxRecords; ++i) {
        if (endRecord(lines[i]))
            break;
        if (!LogLines::Record_Bytes(lines[i]))
            throw KvrError(
                KvrError::BadFileMode,
                QStringLiteral("Line %1 of %2 is not a recorded reply.").arg(i + 1).arg(name));
        records << lines[i];
    }
    if (records.isEmpty())
        throw KvrError(KvrError::InputPastEnd,
                       QStringLiteral("%1 holds no recorded data.").arg(name));
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
    LogState = 3;
    PlaybackIndex = 0;
    setPlayingButtons(true);
}

void PlaybackModel::Pause() {
    if (!offline() || (LogState != 2 && LogState != 3))
        return;
    LogState = LogState == 2 ? 3 : 2;
    setPlayingButtons(true);
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
