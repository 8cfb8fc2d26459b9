// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The previous-instance check. The first copy of the program claims a local server name and
// listens on it; a later copy finds the server, asks it to bring its window forward and ends
// without creating any window. Copies started on another game port use their own name, so
// several can run on one machine for local play and tests.
#include "net/protocol.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QWidget;

namespace ui {

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultPort = core::kGamePort;

    explicit InstanceGuard(QString name, QObject* parent = nullptr);
    ~InstanceGuard() override;

    // "77rauq" for the default game port, "77rauq-<port>" for any other.
    static QString nameForPort(int port);
    // The name for one player on a private port: "77rauq-" and a short hash of the port and
    // the player's name, so any name, however long, gives a name the system accepts.
    static QString nameForPlayer(int port, const QString& player);
    // The value of "--port N" or "--port=N" in the arguments; fallback when absent or unreadable.
    static int portArgument(const QStringList& arguments, int fallback = kDefaultPort);

    // True when this is the first copy: the name is now ours and raise requests will arrive
    // (or, when the system refuses the name and nobody answers on it, the copy runs unguarded).
    // False when another copy holds the name: it has been asked to raise its window.
    bool claim();
    bool isFirst() const;
    QString name() const { return m_name; }

    // The window a raise request brings forward (restoring it if minimised).
    void setWindow(QWidget* window) { m_window = window; }
    static void raiseWindow(QWidget* window);

signals:
    void raiseRequested();

private:
    bool askRunningCopy();
    bool listen();
    void onNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
    QPointer<QWidget> m_window;
};

} // namespace ui
