#pragma once

#include "platform/SelfUnloadingWindow.h"

#include <QHash>
#include <QStringList>
#include <QTimer>
#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

// Backup and restore of the library: every tune-map file (*.kvr) of the program
// folder copied to the backup folder, or every one of the backup folder copied
// back, replacing files of the same name. BackRestMode 1 shows the backup
// frame, 2 the restore frame. Each file is copied whole or not at all; a full
// backup folder asks for the next one and the backup goes on there, so it can
// span several sticks. "Completed" is said only when every map was copied; a
// map that could not be (a name that is no text, one a folder that ignores
// letter case would let replace another, one the target folder refuses) is
// named and the copy goes on; a copy that stops part-way (a full disk, a stick
// taken away) names every map it left out and says it is not complete. The
// maps are copied one a turn of the event loop, so the counter is drawn, Cancel
// stops the copy between two maps and the live readings go on; while a copy
// runs the window stays when it loses the focus. One instance, created anew on
// each opening; it unloads on Cancel, when it loses the focus and 2.5 s after
// a completed copy.
class frmBackRest : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Backup;
    frmBackRest();

    void Form_Load();
    void Set_Values();
    void cmdCopyB_Click();
    void cmdCopyR_Click();
    void cmdCancel_Click();
    void cmdFolder_Click();
    void Timer1_Timer();

    // Element 0 belongs to the backup frame, 1 to the restore frame.
    std::array<QGroupBox*, 2> Frame1{};
    std::array<QLabel*, 2> Label1{};
    std::array<QLabel*, 2> lblKVRPath{};
    std::array<QLabel*, 2> Label2{};
    std::array<QLabel*, 2> lblDisplay{};
    std::array<QLabel*, 2> lblFolder{};
    std::array<QPushButton*, 2> cmdFolder{};
    QPushButton* cmdCopyB = nullptr;
    QPushButton* cmdCopyR = nullptr;
    std::array<QPushButton*, 2> cmdCancel{};
    std::array<QGroupBox*, 2> FrameStat{};
    std::array<QLabel*, 2> lblStat{};
    std::array<QLabel*, 2> lblStatus{};
    std::array<QProgressBar*, 2> PB1{};
    QTimer Timer1;

    // The folder copied to or from.
    QString Folder() const { return folder_; }
    // Whether a copy is under way (started and not yet finished or cancelled).
    bool Copying() const { return copying_; }

private:
    // What the copy does after one map: the next map, the same map again (a
    // folder chosen anew), or stop.
    enum class AfterMap { Next, Retry, Stop };

    void Build_Controls();
    void Build_Frame(int e);
    int Shown() const; // 0 backup, 1 restore
    // Starts copying every listed name; restore when from the backup folder.
    void Copy_All(bool restore);
    // The next map of the copy under way; one a turn of the event loop.
    void Copy_Next();
    void End_Copy();
    AfterMap Backup_One(const QString& name);
    AfterMap Restore_One(const QString& name);
    // Why the copy cannot go on in the folders it began on (a stick taken
    // away whose mount-point folder stays is a bare folder of another
    // device), or an empty text.
    QString Folder_Moved() const;
    // Before each map: the backup folder still reachable (else asked about) and
    // both folders on the disks the copy began on. What to do instead of this
    // map's copy, or nothing when the copy can go on.
    std::optional<AfterMap> Folders_Stop(const QString& name, bool restore);
    // The backup folder cannot be reached: asks, and on OK lets the user
    // choose another. False when the user gave up (the window is to unload).
    bool Ask_For_Folder();
    // The end of a copy, whole or stopped at names_[stoppedAt] (-1: not
    // stopped): names every map left out, those not reached too, then says
    // "Completed" or that the copy is not complete; after a Cancel in the
    // question the window unloads.
    void Finish(bool restore, int stoppedAt);
    // The maps a stop left: each named, except (restore) files of the
    // backup folder that are no whole tune maps, named apart.
    void Name_Not_Reached(bool restore, int stoppedAt);
    bool Choose_Folder();
    void Stopped(const QString& name, const QString& reason, bool restore);
    void Show_Folder();
    void Show_Copied(int e);
    // Before the first copy into a folder its leftovers of cut copies go; a
    // name that the folder finds as a file written earlier in this run (a
    // folder that ignores letter case) is left out and noted. False when left
    // out. Only a name that folds to one written before is asked about, so
    // the check costs the same for each map however many there are.
    bool Ready_To_Write(const QString& folder, const QString& name, bool restore);
    void Copied(const QString& name, bool restore);

    QString folder_;
    // Files of the backup folder that are no whole tune maps (not restored).
    QStringList skipped_;
    // Maps that could not be copied: the copy is then not complete.
    QStringList leftOut_;
    int copied_ = 0;
    // The folder copied into last, its device, and the names written there
    // in this run by their case-folded form.
    QString targetFolder_;
    std::optional<quint64> targetDevice_;
    QHash<QString, QStringList> written_;
    bool cancelled_ = false;
    // The copy under way: its names, the next one's index, its direction.
    QStringList names_;
    int next_ = 0;
    bool restore_ = false;
    bool copying_ = false;
    QTimer copyTimer_;
    // The devices the backup folder and the program folder were on as the
    // copy began (or the backup folder was chosen anew).
    std::optional<quint64> folderDevice_;
    std::optional<quint64> programDevice_;
    // Why the copy stopped, in words, for the map it stopped at.
    QString stopReason_;
};
