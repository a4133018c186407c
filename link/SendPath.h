#pragma once

// The only ways into the send path. A producer builds its frames (link/WtsUp.h),
// hands them over here and returns at once; the communication timer sends them
// in live polling, request by request in the order they were raised. Nothing a
// producer raises overwrites what another raised before it.

#include "link/LinkState.h"

#include <QByteArray>
#include <vector>

namespace SendPath {

// A single command, sent once. A one-byte write to the same address as the
// last command still waiting replaces it (it carries the newer byte).
void Queue_Command(const QByteArray& frame);

// A queue: one element per tick, in order. SendKind::QueueWithProgress shows
// progress (the producer shows the progress window, the timer advances it) and
// ends with a read-out of the whole unit; SendKind::Queue (and any other kind)
// returns straight to polling.
void Queue_Elements(std::vector<QByteArray> elements, SendKind kind);

// Has the whole unit read again once the requests already waiting are sent.
// A refresh behind another refresh, or behind a queue that ends in a read-out,
// adds nothing.
void Request_Refresh();

// Requests raised and not finished (waiting or being sent).
int Requests_Outstanding();

// Whether a frame (or an element of frames) writes the unit's memory: a byte,
// row or text write.
bool Is_Write(const QByteArray& frame);

// Takes back every write still waiting or in hand that would go out without a
// read-out of its own after it (single commands and queues without progress);
// the downloads and the clear, which end in a read-out, stay. Returns how many
// requests were taken back. For the link, when it starts reading the unit afresh.
int Drop_Writes();

// For the timer: a request is waiting or in hand, so SendPending becomes 1
// unless the port has failed (99).
void Raise_Pending();

// For the timer: takes the oldest waiting request into FrameText / SendQueue /
// SendSubState / SendLineNo. Returns false when none waits.
bool Take_Next();

// For the timer: the request in hand is done; SendPending stays 1 while more wait.
void Finish_Current();

} // namespace SendPath
