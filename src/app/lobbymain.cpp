// SPDX-License-Identifier: GPL-3.0-or-later
// bramblies-lobby: asks for a name, a host address and whether to host or join, starts the
// game beside it with those three arguments and, while that game runs, listens on 127.0.0.1
// port 9001 where the game expects its lobby.
//
//   bramblies-lobby [--game PATH] [--player NAME] [--address HOST] [--join] [--start]
//                   [--lobby-connect HOST:PORT] [--lobby-room ROOM] [--lobby-ca FILE]
//   bramblies-lobby --help | --version
//
// PATH defaults to "bramblies" beside this program. --player, --address and --join fill in the
// window (X11 takes -name for itself, hence --player); --start starts the game at once, as if
// "Start Game" had been pressed.

#include "app/buildinfo.h"
#include "app/qt/appidentity.h"
#include "lobby/gameaddress.h"
#include "lobby/gamelaunch.h"
#include "lobby/lobbysession.h"
#include "lobby/qt/lobbywindow.h"
#include "lobby/qt/xmpp/xmppsession.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <cstdio>

namespace {

int refuse(const QString& fault) {
    std::fprintf(stderr, "bramblies-lobby: %s (see --help)\n", qPrintable(fault));
    return 2;
}

// The internet lobby's session: the one place the XMPP client is chosen. (Given none, the
// window works on this network only and says the internet lobby is not available.)
std::unique_ptr<lobby::LobbySession> makeLobbySession() {
    return std::make_unique<lobby::XmppSession>();
}

} // namespace

int main(int argc, char** argv) {
    // The command line is checked before the application object exists, so --help, --version
    // and a refusal need no display. Qt's own options (-platform, -style, ...) are let through
    // for the application object to take.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    QCommandLineOption version(QStringLiteral("version"), QString());
    QCommandLineOption game(QStringLiteral("game"), QString(), QStringLiteral("path"));
    QCommandLineOption name(QStringLiteral("player"), QString(), QStringLiteral("name"));
    QCommandLineOption address(QStringLiteral("address"), QString(), QStringLiteral("host"));
    QCommandLineOption join(QStringLiteral("join"), QString());
    QCommandLineOption start(QStringLiteral("start"), QString());
    QCommandLineOption connectTo(QStringLiteral("lobby-connect"), QString(), QStringLiteral("at"));
    QCommandLineOption room(QStringLiteral("lobby-room"), QString(), QStringLiteral("room"));
    QCommandLineOption caFile(QStringLiteral("lobby-ca"), QString(), QStringLiteral("file"));
    parser.addOptions({help, version, game, name, address, join, start, connectTo, room, caFile});
    for (const char* qtOption : {"platform", "platformpluginpath", "platformtheme", "plugin",
                                 "display", "style", "stylesheet", "geometry", "name", "title",
                                 "qwindowgeometry", "qwindowtitle", "qwindowicon"})
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(qtOption), QString(), QStringLiteral("value")));
    parser.addOption(QCommandLineOption(QStringLiteral("reverse"), QString()));
    if (!parser.parse(arguments)) return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'")
                          .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help)) {
        std::fputs(lobby::kHelp, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("bramblies-lobby %s\n", app::kProgramVersion);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bramblies-lobby"));
    ui::applyAppIdentity();
    QString gamePath = parser.value(game);
    if (gamePath.isEmpty())
        gamePath =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bramblies"));

    lobby::Account connection;
    if (parser.isSet(connectTo)) {
        const auto at = lobby::parseGameAddress(parser.value(connectTo).toStdString());
        if (!at) return refuse(QStringLiteral("unreadable --lobby-connect"));
        connection.connectHost = at->host;
        connection.connectPort = at->port;
    }
    connection.room = parser.value(room).toStdString();
    connection.caFile = parser.value(caFile).toStdString();

    lobby::LobbyWindow window(gamePath, makeLobbySession());
    window.setConnection(connection);
    window.fill(parser.value(name), parser.value(address), parser.isSet(join));
    window.show();
    if (parser.isSet(start)) window.startIfReady();
    return application.exec();
}
