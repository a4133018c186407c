#pragma once

// The receive handler's side jobs that are not about the reply bytes: the trace
// label and trace-file lines, the play-back feed, the two live-data logs and the
// reply-rate sample that steers the poll interval. The handler calls each at its
// fixed point (link/ReceiveHandler.cpp); the poll-timing and logging code fills
// them in: link/LogLines.h (the lines), link/PollTiming.h, link/LiveLog.h (the
// open logs) and link/PlaybackModel.h (the records).

#include <QByteArray>
#include <QString>
#include <optional>

namespace ReceiveFeeds {

// At entry, with what the serial control delivered: starts the trace label
// ("LEN=" and the length).
void Trace_Label_Start(const QByteArray& delivered);
// Appends to the trace label: "   -cmd=" and the code, "   -del" and the count.
void Trace_Label_Append(const QString& text);
// While play-back runs (LogState 3): the next recorded reply, which replaces what
// the port delivered; nothing once play-back has ended (the handler then ends).
std::optional<QByteArray> Playback_Record();
// Every call, after any play-back substitution: the byte trace on the label and
// the two lines of the trace file.
void Trace_Reply(const QByteArray& reply);
// While logging (LogState 1): the raw-log line of a reply with a known first byte.
void Raw_Log(const QByteArray& reply);
// Before the values of a live reply are stored: the reply-rate sample and the
// poll-interval adaptation.
void Rate_Sample();
// While logging, once the values of a live reply are stored: the text-log line.
void Text_Log();

// The trace label back to empty, as at start.
void Reset();

} // namespace ReceiveFeeds
