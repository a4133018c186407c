#pragma once

// Telling the user that a file could not be read or written: which file, what
// was being done, the system's reason in plain words and what the program does
// instead, in one sentence shape, e.g. "The mode file KVR6Mode.cfg could not be
// saved (the disk is full). The connection mode chosen now is not kept for the
// next start." A problem of several files at once names them all in the same
// shape: "The log files KVR6.003 and KVR6003.raw could not be created (...). ..."

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

namespace FileProblem {

struct Report {
    QString file;   // the file's name as the user knows it: "mode file KVR6Mode.cfg"
    QString doing;  // what was being done: "read", "saved", "written", "copied", ...
    QString reason; // the system's reason in plain words (FileWrite::Cause, KvrError text)
    QString next;   // what happens next: "The program goes on with ..."
    QString title;  // the message box title
    // Critical where the work the user started has been stopped (a recording).
    Dialogs::Icon icon = Dialogs::Icon::Exclamation;
};

// The file of a report that concerns several files: the kind in the plural, then
// the names joined by commas and a last "and" ("log files KVR6.003 and
// KVR6003.raw"); the kind alone when no name is known yet. The reason then says
// which of them failed where that is known.
QString Files(const QString& kind, const QStringList& names);

// "The <file> could not be <doing> (<reason>). <next>"; without a reason the
// brackets are left out.
QString Text(const Report& report);

// A message box now, for an event handler.
void Tell(const Report& report);

// Told once the event loop is reached again (Dialogs::msgBoxLater), for code on
// the receive path or the poll tick, which must never wait on a box.
void Tell_Later(const Report& report);

} // namespace FileProblem
