#pragma once

// One edit of the unit image, held whole from the question to the send: every
// producer of a map edit (the grid entry, the live-cell steps, the 3-D view,
// the scale editors' Apply, the global parameter screen, the console) makes
// its change as one Edit and does nothing of admit, write, send or rollback
// itself.
//
//   Edit edit(SendKind::Command);  // asks the send rule, keeps the image
//   if (edit.Refused())
//       return;                    // told in the status bar, nothing changed
//   edit.Cell(map, cell, value);   // as many writes as the edit has
//   const EditOutcome out = edit.Make();
//
// Beginning an edit asks SendRule::Admit_Edit (a refusal is told there) and
// takes one ImageSnapshot. Make() writes every write through the write path
// (link/MapWrite.h) in order; when one is refused the snapshot goes back, so
// the image is as it was when the edit began and nothing is handed over.
// Otherwise the frames go to the send rule as one request of the edit's kind
// (on-line queued, off-line counted as an off-line edit), the progress window
// shown first where the kind has one. An error that stops Make() part-way (in
// a write, in the send rule, while queuing) puts back the snapshot, what the
// hand-over changed in the link (SendRule::HandOver) and the progress window it
// showed, and goes on to the step (platform/Step.h), which tells it and draws
// the screens anew. An edit left without Make() (its
// producer returned early or its working-out threw) puts the snapshot back
// too, so a producer may work out its values in the image between beginning
// the edit and writing them.
//
// Three things reach the unit or the image another way, each on purpose:
// - the scale editors (setup/ScaleEditor.h) store their points into the image
//   key by key as a preview, after asking SendRule::Admit_Edit for each key, and
//   put them back themselves on Cancel; only their Apply is an Edit;
// - the console's "ss" queues the speed governor command with
//   SendPath::Queue_Command: it changes no byte of the image, so there is
//   nothing for an edit to write or put back;
// - the live-cell steps F4..F9 (mainwin/LiveCellStep.h, and the 3-D view's
//   Live_Step) ask SendRule::May_Send before their Edit, since a step needs the
//   verdict Send (off-line there is no live cell to step) where an Edit also
//   admits an off-line change.

#include "core/ImageSnapshot.h"
#include "link/LinkState.h"
#include "link/MapWrite.h"
#include "link/SendRule.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

// One write of an edit, and how its frame goes out.
struct EditWrite {
    enum class What { Cell, Column, ParamRow };
    What what = What::Cell;
    MapWrite::Map map = MapWrite::Map::Analog; // a cell or a column
    int index = 0;                             // the cell, the column or the row start
    std::array<int, 16> values{};              // a cell's value is values[0]
    // The frame follows the previous write's in one element of the queue (the
    // console sends the two RPM rows as one).
    bool joinsPrevious = false;
    // NUL bytes sent after the frame (the console's AMP rows go with a second padding).
    int extraPadding = 0;
};

// What an edit did.
struct EditOutcome {
    SendRule::Verdict verdict = SendRule::Verdict::Send;
    // Why nothing changed: the send rule's notice or the write path's refusal;
    // empty when every write went into the image.
    QString refusal;
    // The elements written, in order as they are handed over (empty when none was).
    std::vector<QByteArray> written;
    // The elements queued for the unit: the written ones with the verdict Send.
    std::vector<QByteArray> queued;
    // Off-line: the edit was counted as one the unit has not had.
    bool offlineEdit = false;

    bool admitted() const { return !SendRule::Refuses(verdict); }
    // Every write of the edit is in the image.
    bool made() const { return admitted() && refusal.isEmpty(); }
};

class Edit {
public:
    // kind: SendKind::Command (an edit of one cell goes as a single command,
    // which a newer byte of the same cell still waiting replaces; any other
    // edit as a queue), SendKind::Queue, or SendKind::QueueWithProgress (the
    // progress window, a read-out after).
    explicit Edit(SendKind kind = SendKind::Command);
    ~Edit();
    Edit(const Edit&) = delete;
    Edit& operator=(const Edit&) = delete;

    // The send rule's answer when the edit began; a refused edit writes nothing.
    SendRule::Verdict Verdict() const { return verdict_; }
    bool Refused() const { return SendRule::Refuses(verdict_); }

    Edit& Cell(MapWrite::Map map, int cell, int value);
    Edit& Column(MapWrite::Map map, int column, const std::array<int, 16>& values);
    Edit& Param_Row(int row, const std::array<int, 16>& values);
    // The parameter row at row as the image holds it now (the producer has
    // worked its values out in the image).
    Edit& Param_Row_Of_Image(int row);
    Edit& Add(const EditWrite& write);
    // The last write's frame goes out after the one before, in one element.
    Edit& Joined_To_Previous();
    // The last write's frame goes out with bytes NUL bytes more.
    Edit& Extra_Padding(int bytes);

    // Off-line, an edit that leaves every byte as it was is no off-line edit
    // (the global parameter screen's Apply without a change).
    void Count_Only_Changes() { countOnlyChanges_ = true; }

    // Writes all or none and hands them over; once only.
    EditOutcome Make();

private:
    SendKind kind_;
    SendRule::Verdict verdict_;
    ImageSnapshot before_;
    std::vector<EditWrite> writes_;
    bool countOnlyChanges_ = false;
    bool made_ = false;
};
