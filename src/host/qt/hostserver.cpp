// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/qt/hostserver.h"

#include "net/fields.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace ui {

namespace {

const QString kListeningStarted = QStringLiteral("Listening Started");
const QString kErrorBinding = QStringLiteral("Listen - Error Binding Socket");
const QString kErrorListening = QStringLiteral("Listen - Error Starting Listen");

constexpr int kListenBacklog = 5;
constexpr qint64 kReadChunk = 64 * 1024;
// A closed connection gets this long to hand over what is still queued for it.
constexpr int kCloseGraceMs = 5000;

// Per-connection bookkeeping kept on the socket itself.
const char* const kSlotTag = "bramblies_slot";
const char* const kClosing = "bramblies_closing";
const char* const kEnded = "bramblies_ended";
const char* const kAddress = "bramblies_address";  // a held connection's peer, as text
const char* const kForRoom = "bramblies_for_room"; // held: a slot is being freed for it

int slotOf(const QTcpSocket* s) {
    return s->property(kSlotTag).toInt();
}

// Keep-alive probes after a minute of silence, every 10 s, six unanswered ones end the
// connection; data the peer never acknowledges ends it after two minutes. Either way a peer
// that vanished (power cut, cable pulled, a crashed router) frees its slot in minutes.
constexpr int kKeepIdleS = 60;
constexpr int kKeepIntervalS = 10;
constexpr int kKeepProbes = 6;
constexpr unsigned kUnackedTimeoutMs = 120000;

void enableKeepAlive(QTcpSocket* s) {
    s->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const auto fd = static_cast<int>(s->socketDescriptor());
    if (fd < 0) return;
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepIdleS, sizeof kKeepIdleS);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepIntervalS, sizeof kKeepIntervalS);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &kKeepProbes, sizeof kKeepProbes);
    ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &kUnackedTimeoutMs, sizeof kUnackedTimeoutMs);
}

} // namespace

HostServer::HostServer(QObject* parent) : QObject(parent) {
    m_server.setListenBacklogSize(kListenBacklog);
    connect(&m_server, &QTcpServer::newConnection, this, &HostServer::acceptPending);
    m_drainTimer.setSingleShot(true);
    m_drainTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_drainTimer, &QTimer::timeout, this, &HostServer::drainOne);
    connect(&m_countdown, &QTimer::timeout, this, [this] {
        m_host.timer1Tick();
        emit activity();
    });
    m_holdTimer.setSingleShot(true);
    connect(&m_holdTimer, &QTimer::timeout, this, [this] {
        m_host.expireHolds();
        emit activity();
    });
}

HostServer::~HostServer() {
    m_held.clear();
    m_countdown.stop();
    m_holdTimer.stop();
    m_drainTimer.stop();
    m_server.close();
    // Every connection, including those still handing over their last bytes, is cut loose
    // first: its close must not reach a game host that is being torn down.
    for (auto* s : m_server.findChildren<QTcpSocket*>()) {
        s->disconnect(this);
        s->abort();
    }
}

bool HostServer::listen(quint16 port) {
    if (m_server.listen(QHostAddress::AnyIPv4, port)) {
        emit statusText(kListeningStarted);
        return true;
    }
    auto error = m_server.serverError();
    bool binding = error == QAbstractSocket::AddressInUseError ||
                   error == QAbstractSocket::SocketAccessError ||
                   error == QAbstractSocket::SocketAddressNotAvailableError;
    emit statusText(binding ? kErrorBinding : kErrorListening);
    return false;
}

void HostServer::setTimeScale(double scale) {
    if (std::isfinite(scale) && scale > 0) m_timeScale = scale;
}

// A newcomer may wait without a slot: while its address has the most connections waiting for
// their login, or while the slot of the longest-silent connection it made room for is freed.
void HostServer::acceptPending() {
    while (QTcpSocket* s = m_server.nextPendingConnection()) {
        enableKeepAlive(s);
        const bool listFull = m_held.size() >= kMaxHeld;
        if (tooManyWaitingFrom(s)) {
            if (!listFull)
                hold(s, false);
            else
                dropUnanswered(s, core::HeldDrop::ListFull);
        } else if (!listFull && roomMadeFor(s)) {
            hold(s, true);
        } else {
            admit(s);
        }
    }
}

bool HostServer::roomMadeFor(const QTcpSocket* s) {
    if (m_host.hasRoom()) return false;
    const auto turnedAway = m_turnedAway.constFind(s->peerAddress());
    if (turnedAway != m_turnedAway.cend() && m_host.nowMs() - *turnedAway < m_loginTimeoutMs)
        return false;
    return m_host.makeRoom();
}

void HostServer::rememberTurnedAway(const QTcpSocket* s) {
    if (s->peerAddress().isNull()) return; // the peer has gone already
    const std::int64_t now = m_host.nowMs();
    if (m_turnedAway.size() >= static_cast<qsizetype>(kMaxTurnedAway))
        m_turnedAway.removeIf([&](const auto& it) { return now - it.value() >= m_loginTimeoutMs; });
    if (m_turnedAway.size() < static_cast<qsizetype>(kMaxTurnedAway))
        m_turnedAway.insert(s->peerAddress(), now);
}

void HostServer::dropUnanswered(QTcpSocket* s, core::HeldDrop reason) {
    const std::string address = s->property(kAddress).isValid()
                                    ? s->property(kAddress).toString().toStdString()
                                    : s->peerAddress().toString().toStdString();
    s->disconnect(this);
    s->abort();
    s->deleteLater();
    m_state.tell([&](core::HostEvents& w) { w.heldDropped(address, reason); });
}

// Gives an accepted connection its slot (or the "CMD_full+" refusal) and its login deadline.
void HostServer::admit(QTcpSocket* s) {
    s->setReadBufferSize(kReadChunk);
    connect(s, &QTcpSocket::readyRead, this, [this, s] { readFrom(s); });
    connect(s, &QAbstractSocket::stateChanged, this, [this, s](auto state) {
        if (state == QAbstractSocket::UnconnectedState) endConnection(s);
    });
    int slot = m_host.connectionAccepted([this, s](int n) {
        s->setProperty(kSlotTag, n);
        m_sockets[static_cast<std::size_t>(n)] = s;
    });
    if (slot == core::GameHost::kRefusedSlot) return;
    auto* deadline = new QTimer(s);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this, s] {
        // Its slot then, which a returning player's connection may have changed since.
        const int now = slotOf(s);
        if (m_sockets[static_cast<std::size_t>(now)] == s) m_host.loginTimedOut(now);
    });
    deadline->start(m_loginTimeoutMs);
    if (s->bytesAvailable() > 0) readFrom(s);
}

// It waits without a slot (so it holds no seat), no longer than a login may take.
void HostServer::hold(QTcpSocket* s, bool forRoom) {
    s->setReadBufferSize(kReadChunk); // what it sends meanwhile waits in the kernel
    s->setProperty(kAddress, s->peerAddress().toString()); // gone with the peer
    s->setProperty(kForRoom, forRoom);
    m_held.push_back(s);
    auto drop = [this, s](core::HeldDrop reason) {
        std::erase(m_held, s);
        dropUnanswered(s, reason);
    };
    connect(s, &QAbstractSocket::disconnected, this, [drop] { drop(core::HeldDrop::PeerGone); });
    auto* deadline = new QTimer(s);
    deadline->setSingleShot(true);
    deadline->setObjectName(QStringLiteral("held"));
    connect(deadline, &QTimer::timeout, this, [drop] { drop(core::HeldDrop::Deadline); });
    deadline->start(m_loginTimeoutMs);
}

// Those that made room come first, in their order, as slots are freed; then those whose
// address may now have one more waiting (each may make room in turn).
void HostServer::admitHeld() {
    auto release = [this](std::size_t i) {
        QTcpSocket* s = m_held[i];
        m_held.erase(m_held.begin() + static_cast<std::ptrdiff_t>(i));
        if (s->state() != QAbstractSocket::ConnectedState) {
            dropUnanswered(s, core::HeldDrop::PeerGone);
            return;
        }
        s->disconnect(this);
        delete s->findChild<QTimer*>(QStringLiteral("held"));
        s->setProperty(kForRoom, QVariant());
        admit(s);
    };
    for (std::size_t i = 0; i < m_held.size();) {
        if (!m_held[i]->property(kForRoom).toBool())
            ++i;
        else if (m_host.hasRoom())
            release(i);
        else
            break;
    }
    for (std::size_t i = 0; i < m_held.size();) {
        QTcpSocket* s = m_held[i];
        if (s->property(kForRoom).toBool() || tooManyWaitingFrom(s)) {
            ++i;
        } else if (roomMadeFor(s)) {
            s->setProperty(kForRoom, true);
            ++i;
        } else {
            release(i);
        }
    }
}

// Counts its address's connections waiting for their login, and those that made room for
// themselves and wait for it.
bool HostServer::tooManyWaitingFrom(const QTcpSocket* s) const {
    const QHostAddress from = s->peerAddress();
    int waiting = 0;
    for (int slot = 1; slot <= core::kMaxSlot; ++slot) {
        const QTcpSocket* other = m_sockets[static_cast<std::size_t>(slot)];
        if (other && !other->property(kClosing).toBool() && !m_host.loggedIn(slot) &&
            other->peerAddress() == from)
            ++waiting;
    }
    for (const QTcpSocket* other : m_held)
        if (other != s && other->property(kForRoom).toBool() && other->peerAddress() == from)
            ++waiting;
    return waiting >= m_maxWaitingPerAddress;
}

void HostServer::readFrom(QTcpSocket* s) {
    int slot = slotOf(s);
    bool believed =
        m_sockets[static_cast<std::size_t>(slot)] == s && !s->property(kClosing).toBool();
    while (s->bytesAvailable() > 0) {
        QByteArray data = s->read(kReadChunk);
        if (m_metrics) m_metrics->bytesReceived(static_cast<std::size_t>(data.size()));
        if (!believed) continue; // a closing or refused connection: read and forget
        if (!m_host.bytesReceived(
                slot, std::string_view(data.constData(), static_cast<std::size_t>(data.size()))))
            believed = false;
    }
    scheduleDrain();
}

void HostServer::send(int slot, const std::string& message) {
    if (slot < 0 || slot > core::GameHost::kRefusedSlot) return;
    QTcpSocket* s = m_sockets[static_cast<std::size_t>(slot)];
    // A peer that has just gone is reported to the game host a moment later; until then
    // there is nobody to write to.
    if (!s || s->property(kClosing).toBool() || s->state() != QAbstractSocket::ConnectedState)
        return;
    // Message and terminator go straight into the socket's write buffer, with no copy of
    // their own on the way.
    s->write(message.data(), static_cast<qint64>(message.size()));
    s->write(&core::kTerminator, 1);
    if (m_metrics) m_metrics->messageSent(message, message.size() + 1);
    if (s->bytesToWrite() > m_maxUnsent) {
        // The peer is not taking what it is sent; stop holding it.
        m_host.closingFor(slot, core::CloseReason::UnsentOutput);
        s->setProperty(kClosing, true);
        s->abort();
        endConnection(s);
    }
}

void HostServer::close(int slot) {
    if (slot < 0 || slot > core::GameHost::kRefusedSlot) return;
    QTcpSocket* s = m_sockets[static_cast<std::size_t>(slot)];
    if (!s || s->property(kClosing).toBool()) return;
    if (slot != core::GameHost::kRefusedSlot && !m_host.loggedIn(slot)) rememberTurnedAway(s);
    s->setProperty(kClosing, true);
    QTimer::singleShot(kCloseGraceMs, s, [s] { s->abort(); });
    s->disconnectFromHost(); // lets "CMD_full+" and the like go out first
    endConnection(s);
}

// Reports the end of a connection to the game host once, from the event loop.
void HostServer::endConnection(QTcpSocket* s) {
    if (s->property(kEnded).toBool()) return;
    s->setProperty(kEnded, true);
    QPointer<QTcpSocket> guard(s);
    int slot = slotOf(s);
    QMetaObject::invokeMethod(
        this,
        [this, s, guard, slot] {
            if (m_sockets[static_cast<std::size_t>(slot)] == s) {
                m_sockets[static_cast<std::size_t>(slot)] = nullptr;
                m_host.connectionClosed(slot);
                if (!m_held.empty()) admitHeld();
                emit activity();
            }
            if (!guard) return;
            if (guard->state() == QAbstractSocket::UnconnectedState)
                guard->deleteLater();
            else
                connect(guard, &QAbstractSocket::disconnected, guard, &QObject::deleteLater);
        },
        Qt::QueuedConnection);
}

void HostServer::scheduleDrain() {
    if (m_shuttingDown || m_drainTimer.isActive() || !m_host.hasPending()) return;
    qint64 wait = 0;
    if (m_sinceDrain.isValid())
        wait = std::max<qint64>(0, kDrainIntervalMs - m_sinceDrain.elapsed());
    m_drainTimer.start(static_cast<int>(wait));
}

void HostServer::drainOne() {
    QElapsedTimer budget;
    budget.start();
    while (m_host.processNext() && budget.elapsed() < kDrainBudgetMs) {
    }
    emit activity();
    m_sinceDrain.restart();
    if (!m_held.empty()) admitHeld(); // a login may have made room
    scheduleDrain();
}

void HostServer::moveConnection(int from, int to) {
    if (from < 1 || from > core::kMaxSlot || to < 1 || to > core::kMaxSlot) return;
    QTcpSocket* s = m_sockets[static_cast<std::size_t>(from)];
    m_sockets[static_cast<std::size_t>(from)] = nullptr;
    m_sockets[static_cast<std::size_t>(to)] = s;
    if (s) s->setProperty(kSlotTag, to);
}

void HostServer::armHoldTimer(int ms) {
    // Hold times are real seconds: the time scale is for the game's pace only.
    m_holdTimer.start(ms);
}

void HostServer::shutDown() {
    if (m_shuttingDown) return;
    m_shuttingDown = true;
    m_server.close();
    m_drainTimer.stop();
    m_holdTimer.stop();
    for (QTcpSocket* s : std::exchange(m_held, {})) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    m_host.shutDown();
    for (QTcpSocket* s : m_server.findChildren<QTcpSocket*>())
        connect(s, &QObject::destroyed, this, &HostServer::checkShutDown, Qt::QueuedConnection);
    QMetaObject::invokeMethod(this, &HostServer::checkShutDown, Qt::QueuedConnection);
}

void HostServer::checkShutDown() {
    if (m_shuttingDown && m_server.findChildren<QTcpSocket*>().isEmpty()) emit shutDownComplete();
}

void HostServer::notice(const std::string& text) {
    emit noticeRaised(QString::fromStdString(text));
}

void HostServer::armCountdown(int intervalMs) {
    // A tiny scale must give a slow timer, not an overflowed (and therefore instant) one.
    double scaled = std::round(intervalMs / m_timeScale);
    int ms = scaled >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                       : std::max(1, static_cast<int>(scaled));
    m_countdown.start(ms);
}

void HostServer::stopCountdown() {
    m_countdown.stop();
}

int HostServer::botSpeedMs() const {
    return m_botSpeed ? m_botSpeed() : kDefaultBotSpeedMs;
}

} // namespace ui
