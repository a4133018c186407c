#pragma once

// The play-back of a raw log, apart from its window (frmPBStation): the records
// read from the file, which buttons may be used and the running-time text. The
// feed, run from the receive handler on each off-line tick, takes the records
// one by one and moves the position (PlaybackIndex); the window only follows
// this model, so touching it never opens the window, and play-back runs on
// while the window is closed. The play-back states are LogState 0 (stopped),
// 2 (paused) and 3 (running).

#include "core/KeptImage.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class PlaybackModel : public QObject {
    Q_OBJECT
public:
    // At most this many records are read from a file.
    static constexpr int MaxRecords = 30001;
    // A record longer than this is a page reply: the window stays open while the
    // read-out it starts shows the progress window.
    static constexpr int PageRecordChars = 100;
    static constexpr int HoldTicks = 10;

    // The records of a raw log: line 1 (the date) is dropped, every further line
    // up to the "End" line is a record when it is complete, at most MaxRecords.
    // Lines that are no complete record are skipped and counted in *skipped.
    // Throws KvrError when the file cannot be read (53), holds nothing after its
    // date (62), or holds lines but not one complete record (54).
    static QStringList Read_Raw_Log(const QString& path, int* skipped = nullptr);
    // A line as the raw log writes it: a time text, " ,", and bytes 0..255 each
    // followed by a blank.
    static bool Complete_Record(const QString& line);

    // Takes the records of a file in place of any earlier ones; the position
    // goes back before the first record.
    void Set_Records(const QString& fileName, const QStringList& records);
    PlaybackModel();
    // No file loaded.
    void Clear();
    // Back to the start: no file loaded, every button off, no running time, no hold.
    void Reset();
    int count() const { return static_cast<int>(records_.size()); }
    // Record i, 1-based.
    const QString& record(int i) const { return records_.at(i - 1); }
    const QString& fileName() const { return fileName_; }

    // The window's countdown of 500 ms ticks, set by the feed ahead of a page reply.
    int hold() const { return hold_; }
    void setHold(int ticks) { hold_ = ticks; }

    bool runEnabled() const { return run_; }
    bool pauseEnabled() const { return pause_; }
    bool stopEnabled() const { return stop_; }
    // Run off, Pause and Stop on (playing), or the other way round.
    void setPlayingButtons(bool playing);
    // All three off (nothing loaded).
    void disableButtons();
    QString runningTime() const { return runningTime_; }
    void setRunningTime(const QString& text);

    // Run: from the first record, only off-line and with records loaded.
    void Run();
    // Pause: running and paused in turn (only off-line while playing).
    void Pause();
    // Before play-back starts or goes on: when the records ahead hold pages of
    // the unit's image and the image holds changes nothing keeps
    // (core/KeptImage.h), the user is asked whether the recording may replace
    // them (No, the default, keeps the map shown). Run and Pause ask themselves.
    void Ask_Image_Replacement();
    // A page reply of the recording: into the image when nothing unkept would be
    // lost, or the user agreed to replace the image as it is; else left out.
    void Recorded_Page(const QByteArray& reply);
    // True when record i (1-based) is a page reply of a read-out.
    bool isPageRecord(int i) const;
    // Stop, and the end of play-back: LogState 0, Run on, Pause and Stop off,
    // and the main window told (Hooks().Playback_Menu_State2).
    void Playback_Menu_State2();

    // The next record's bytes for the receive handler; nothing when play-back
    // has ended. The feed ends play-back itself at the last record and at a
    // record holding "End".
    std::optional<QByteArray> Feed();

signals:
    void changed();

private:
    QStringList records_;
    QString fileName_;
    int hold_;
    bool run_;
    bool pause_;
    bool stop_;
    QString runningTime_;
    // The image the user agreed to have replaced by the recorded one.
    std::optional<ImageSnapshot> agreed_;
};

PlaybackModel& Playback();
