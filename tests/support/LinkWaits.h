#pragma once

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "link/SendPath.h"

#include <QTest>

// Whether the link has settled: on-line, polling live, nothing of the send path
// left to go out, no tick unanswered and no progress window up (a download and
// the read-out after it have finished).
inline bool Link_Settled() {
    return UnitOnline == 1 && CommStatus >= CommStates::Polling &&
           CommStatus <= CommStates::RepliedTwice && SendPath::Requests_Outstanding() == 0 &&
           bad_cnt == 0 && !Progress().visible();
}

// Waits until the link has settled; false when it has not after timeoutMs. The
// wait ends as soon as it has.
inline bool Wait_Link_Settled(int timeoutMs = 20000) {
    return QTest::qWaitFor(Link_Settled, timeoutMs);
}
