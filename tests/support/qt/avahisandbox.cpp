// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/avahisandbox.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

namespace testsupport {

namespace {

constexpr int kStartMs = 20000;

bool writeFile(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

AvahiSandbox::~AvahiSandbox() {
    for (QProcess* p : {&m_avahi, &m_bus}) {
        if (p->state() == QProcess::NotRunning) continue;
        p->terminate();
        if (!p->waitForFinished(5000)) p->kill();
        p->waitForFinished(5000);
    }
}

bool AvahiSandbox::start(QString* whyNot) {
    for (const char* tool : {"dbus-daemon", "avahi-daemon", "unshare", "ip"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty() &&
            QStandardPaths::findExecutable(QLatin1String(tool), {"/usr/sbin", "/sbin"}).isEmpty()) {
            *whyNot = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
            return false;
        }
    }
    if (!m_dir.isValid()) {
        *whyNot = QStringLiteral("no temporary folder");
        return false;
    }
    const QString bus = m_dir.filePath(QStringLiteral("bus"));
    const QString busConf = m_dir.filePath(QStringLiteral("bus.conf"));
    const QString avahiConf = m_dir.filePath(QStringLiteral("avahi.conf"));
    writeFile(busConf,
              QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                             "Configuration 1.0//EN\" \"http://www.freedesktop.org/standards/"
                             "dbus/1.0/busconfig.dtd\">\n<busconfig><type>system</type>"
                             "<listen>unix:path=%1</listen><auth>EXTERNAL</auth>"
                             "<policy context=\"default\"><allow user=\"*\"/><allow own=\"*\"/>"
                             "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                             "</policy></busconfig>\n")
                  .arg(bus));
    writeFile(avahiConf, QStringLiteral("[server]\nhost-name=bramblies-test\nuse-ipv4=yes\n"
                                        "use-ipv6=no\nallow-interfaces=v0\nenable-dbus=yes\n"
                                        "[publish]\npublish-hinfo=no\n"
                                        "publish-workstation=no\n"));

    m_bus.setProcessChannelMode(QProcess::MergedChannels);
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--config-file=") + busConf, QStringLiteral("--nofork"),
                 QStringLiteral("--print-address")});
    if (!m_bus.waitForStarted(kStartMs)) {
        *whyNot = QStringLiteral("dbus-daemon did not start");
        return false;
    }
    // The bus prints its address once it listens.
    QByteArray printed;
    QDeadlineTimer busDeadline(kStartMs);
    while (!printed.contains("unix:") && !busDeadline.hasExpired() &&
           m_bus.state() != QProcess::NotRunning) {
        m_bus.waitForReadyRead(200);
        printed += m_bus.readAll();
    }
    if (!printed.contains("unix:")) {
        *whyNot = QStringLiteral("dbus-daemon did not come up: ") +
                  QString::fromLocal8Bit(printed).trimmed();
        return false;
    }
    const QByteArray busAddress = "unix:path=" + bus.toLocal8Bit();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", busAddress);

    const QString script =
        QStringLiteral("set -e; ip link set lo up; ip link add v0 type veth peer name v1; "
                       "ip link set v0 up; ip link set v1 up; ip addr add %1/24 dev v0; "
                       "mount -t tmpfs tmpfs /run; mkdir -p /run/avahi-daemon; "
                       "exec avahi-daemon --no-drop-root --no-chroot --no-rlimits "
                       "--no-proc-title -f %2")
            .arg(address(), avahiConf);
    m_avahi.setProcessChannelMode(QProcess::MergedChannels);
    m_avahi.start(QStringLiteral("unshare"), {QStringLiteral("-n"), QStringLiteral("-m"),
                                              QStringLiteral("sh"), QStringLiteral("-c"), script});
    QByteArray log;
    QDeadlineTimer deadline(kStartMs);
    while (!log.contains("Server startup complete") && !deadline.hasExpired() &&
           m_avahi.state() != QProcess::NotRunning) {
        m_avahi.waitForReadyRead(200);
        log += m_avahi.readAll();
    }
    if (!log.contains("Server startup complete")) {
        *whyNot = QStringLiteral("avahi-daemon did not come up in a namespace of its own: ") +
                  QString::fromLocal8Bit(log).trimmed();
        return false;
    }
    return true;
}

} // namespace testsupport
