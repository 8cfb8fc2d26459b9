// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Proving that something did not happen: what would have done it was queued on the event loop
// before this call, so once a call queued now has run, it has had its chance.

class QObject;

namespace testsupport {

// Queues a call on context's thread and runs the event loop until it has run (true) or the
// time is up (false: the loop is held up).
bool waitForQueuedEvents(QObject* context, int timeoutMs = 5000);

} // namespace testsupport
