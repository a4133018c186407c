#include "link/Edit.h"

#include "core/CoreState.h"
#include "link/ProgressModel.h"

#include <optional>
#include <utility>

Edit::Edit(SendKind kind)
    : kind_(kind), verdict_(SendRule::Admit_Edit()), before_(ImageSnapshot::Take()) {}

Edit::~Edit() {
    if (!made_)
        before_.Restore();
}

Edit& Edit::Add(const EditWrite& write) {
    writes_.push_back(write);
    return *this;
}

Edit& Edit::Joined_To_Previous() {
    if (!writes_.empty())
        writes_.back().joinsPrevious = true;
    return *this;
}

Edit& Edit::Extra_Padding(int bytes) {
    if (!writes_.empty())
        writes_.back().extraPadding = bytes;
    return *this;
}

Edit& Edit::Cell(MapWrite::Map map, int cell, int value) {
    EditWrite w;
    w.what = EditWrite::What::Cell;
    w.map = map;
    w.index = cell;
    w.values[0] = value;
    return Add(w);
}

Edit& Edit::Column(MapWrite::Map map, int column, const std::array<int, 16>& values) {
    EditWrite w;
    w.what = EditWrite::What::Column;
    w.map = map;
    w.index = column;
    w.values = values;
    return Add(w);
}

Edit& Edit::Param_Row(int row, const std::array<int, 16>& values) {
    EditWrite w;
    w.what = EditWrite::What::ParamRow;
    w.index = row;
    w.values = values;
    return Add(w);
}

Edit& Edit::Param_Row_Of_Image(int row) {
    std::array<int, 16> values{};
    // A row the page does not have reads nothing; the write path refuses it.
    if (row >= 0 && row <= 240)
        for (int k = 0; k < 16; ++k)
            values[static_cast<std::size_t>(k)] = ParamBlock[row + k];
    return Param_Row(row, values);
}

namespace {

MapWrite::Written Write(const EditWrite& w) {
    switch (w.what) {
    case EditWrite::What::Cell:
        return MapWrite::Write_Cell(w.map, w.index, w.values[0]);
    case EditWrite::What::Column:
        return MapWrite::Write_Column(w.map, w.index, w.values);
    case EditWrite::What::ParamRow:
        break;
    }
    return MapWrite::Write_Param_Row(w.index, w.values);
}

} // namespace

EditOutcome Edit::Make() {
    EditOutcome out;
    out.verdict = verdict_;
    if (made_) {
        out.refusal = QStringLiteral("the edit has been made already");
        return out;
    }
    made_ = true;
    if (Refused()) {
        out.refusal = SendRule::Notice(verdict_);
        before_.Restore();
        return out;
    }

    // All or nothing also when an error stops the edit part-way (in a write, in
    // the send rule, while queuing): the image goes back, and so do what the
    // hand-over changed in the link and the progress window it showed; the
    // error goes on to the step (platform/Step.h), which draws the screens anew.
    std::optional<SendRule::HandOver> link;
    struct ProgressBefore {
        bool loaded, visible;
    };
    std::optional<ProgressBefore> progress;
    try {
        std::vector<QByteArray> elements;
        for (const EditWrite& w : writes_) {
            const MapWrite::Written written = Write(w);
            if (!written.ok()) {
                // All or nothing: what this edit wrote goes back.
                before_.Restore();
                out.refusal = written.refusal->text;
                return out;
            }
            QByteArray frame = written.frame;
            if (w.extraPadding > 0)
                frame.append(QByteArray(w.extraPadding, '\0'));
            if (w.joinsPrevious && !elements.empty())
                elements.back().append(frame);
            else
                elements.push_back(std::move(frame));
        }
        out.written = elements;
        if (elements.empty())
            return out;

        if (verdict_ == SendRule::Verdict::ImageOnly) {
            if (countOnlyChanges_ && ImageSnapshot::Take() == before_)
                return out;
            out.offlineEdit = true;
        } else {
            out.queued = elements;
        }
        link = SendRule::HandOver::Take();
        if (kind_ == SendKind::Command && writes_.size() == 1 &&
            writes_.front().what == EditWrite::What::Cell) {
            SendRule::Send_Edit(verdict_, elements.front());
            return out;
        }
        const SendKind kind = kind_ == SendKind::QueueWithProgress ? kind_ : SendKind::Queue;
        if (kind == SendKind::QueueWithProgress && verdict_ == SendRule::Verdict::Send) {
            progress = ProgressBefore{Progress().loaded(), Progress().visible()};
            // The link advances the bar from here; the read-out after the queue closes it.
            Progress().Show();
            Progress().setValue(0);
        }
        SendRule::Send_Edits(verdict_, std::move(elements), kind);
        return out;
    } catch (...) {
        before_.Restore();
        if (link)
            link->Put_Back();
        try {
            if (progress && !progress->loaded)
                Progress().Form_Unload();
            else if (progress && !progress->visible)
                Progress().Hide();
        } catch (...) {
            // The error that stopped the edit is the one the step tells.
        }
        throw;
    }
}
