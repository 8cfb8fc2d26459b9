// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private Avahi daemon for a test: its own D-Bus system bus on a socket in a temporary
// folder, and avahi-daemon in a network namespace of its own with a private /run, so nothing
// it says reaches any network but the namespace's own veth pair. The test process talks to
// it through DBUS_SYSTEM_BUS_ADDRESS, which start() sets.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

class AvahiSandbox {
public:
    AvahiSandbox() = default;
    ~AvahiSandbox();
    AvahiSandbox(const AvahiSandbox&) = delete;
    AvahiSandbox& operator=(const AvahiSandbox&) = delete;

    // Starts both daemons and waits until Avahi is up. On failure returns false and says why.
    bool start(QString* whyNot);

    // The daemon's address inside its namespace.
    static QString address() { return QStringLiteral("10.77.0.1"); }

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_avahi;
};

} // namespace testsupport
