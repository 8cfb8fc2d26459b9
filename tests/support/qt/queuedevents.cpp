// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/queuedevents.h"

#include <QMetaObject>
#include <QTest>

#include <memory>

namespace testsupport {

bool waitForQueuedEvents(QObject* context, int timeoutMs) {
    auto ran = std::make_shared<bool>(false); // outlives a wait that gave up
    QMetaObject::invokeMethod(
        context, [ran] { *ran = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&ran] { return *ran; }, timeoutMs);
}

} // namespace testsupport
