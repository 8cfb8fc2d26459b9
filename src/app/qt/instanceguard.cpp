// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/instanceguard.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringList>
#include <QWidget>
#include <memory>

namespace ui {

namespace {

const char* const kBaseName = "77rauq";
const QByteArray kRaise = QByteArrayLiteral("raise\n");
// A request is one short line; anything longer is not ours and is dropped.
constexpr qint64 kMaxRequest = 64;
constexpr int kConnectTimeoutMs = 1000;

} // namespace

InstanceGuard::InstanceGuard(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name)) {}

InstanceGuard::~InstanceGuard() {
    if (m_server) m_server->close();
}

QString InstanceGuard::nameForPort(int port) {
    if (port == kDefaultPort) return QString::fromLatin1(kBaseName);
    return QString::fromLatin1(kBaseName) + QLatin1Char('-') + QString::number(port);
}

QString InstanceGuard::nameForPlayer(int port, const QString& player) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::number(port));
    hash.addData(QByteArrayView("\n", 1));
    hash.addData(player.toUtf8());
    return QString::fromLatin1(kBaseName) + QLatin1Char('-') +
           QString::fromLatin1(hash.result().toHex().left(16));
}

int InstanceGuard::portArgument(const QStringList& arguments, int fallback) {
    const QString flag = QStringLiteral("--port");
    for (int i = 0; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == flag && i + 1 < arguments.size())
            value = arguments[i + 1];
        else if (arguments[i].startsWith(flag + QLatin1Char('=')))
            value = arguments[i].mid(flag.size() + 1);
        else
            continue;
        bool ok = false;
        const int port = value.toInt(&ok);
        return ok && port > 0 && port <= 65535 ? port : fallback;
    }
    return fallback;
}

bool InstanceGuard::isFirst() const {
    return m_server && m_server->isListening();
}

bool InstanceGuard::claim() {
    if (isFirst()) return true;
    if (askRunningCopy()) return false;
    if (listen()) return true;
    // Someone took the name between our look and our claim: that copy is the first one.
    if (askRunningCopy()) return false;
    // Nobody answers on the name: a copy that crashed left its socket behind. Take it over.
    QLocalServer::removeServer(m_name);
    // Still nobody to raise and no name of our own (the system refused it): run without the
    // check rather than end without a word.
    listen();
    return true;
}

bool InstanceGuard::askRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    socket.write(kRaise);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool InstanceGuard::listen() {
    if (!m_server) {
        m_server = new QLocalServer(this);
        // Only this user's copies may ask us to raise the window.
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &InstanceGuard::onNewConnection);
    }
    return m_server->listen(m_name);
}

void InstanceGuard::onNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, request] {
            request->append(socket->read(kMaxRequest - request->size()));
            if (!request->contains('\n') && request->size() < kMaxRequest)
                return; // wait for the rest
            const bool isRaise = *request == kRaise;
            socket->abort();
            socket->deleteLater();
            if (!isRaise) return;
            raiseWindow(m_window);
            emit raiseRequested();
        });
    }
}

void InstanceGuard::raiseWindow(QWidget* window) {
    if (!window) return;
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace ui
