// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window: the program's main window. The board on the left, the chat on the right,
// the menus above. It owns the table client's logic (core::TableClient) and puts together
// what the client works with: the board (BoardView), the chat (ChatPanel), the menus
// (TableMenus), the keyboard play (GameKeys), spoken events (GameSpeech), and one adapter for
// each of the client's ways out: TransportAdapter (the connection to the host),
// PresentationAdapter (chat lines, sounds, boxes, the board and its dice animation),
// MenusAdapter (menu items and the other windows) and RecordsAdapter (the settings file and
// the tally). The other windows and the tally are reached through the window set
// (AuxWindows).
//
// The window decides nothing about the game. Every host message goes from the connection to
// the client, and the client tells the window what to show; every click goes to the client,
// which tells the window what to send.
//
// In the hosting copy the program gives the window the game host beside it (TableHosting),
// which the window switches on before connecting its own client to it on 127.0.0.1. Host
// notices are shown to the hosting player in a notice strip that fades by itself, never in a
// box that waits for a click.

#include "chat/settings.h"
#include "client/qt/tablehosting.h"
#include "net/protocol.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QTcpSocket;

namespace core {
class TableClient;
} // namespace core

namespace ui {

class AuxWindows;
class BoardView;
class ChatPanel;
class ChatterSoundMenu;
class ClientConnection;
class DiceAnimation;
class MenusAdapter;
class NoticeStrip;
class PresentationAdapter;
class RecordsAdapter;
class SoundPlayer;
class TableMenus;
class TransportAdapter;

// What the window is started with: the positional command-line parameters (name, host
// address, "true" to host; none for solo play), the game port and the host's time scale.
struct TchatOptions {
    std::vector<std::string> params;
    quint16 port = core::kGamePort;
    double timeScale = 1.0;
};

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static const QString kCaption; // "Bramblies"
    static constexpr int kDefaultWidth = 704;
    static constexpr int kDefaultHeight = 501;
    static constexpr int kMinimumWidth = 689;
    static constexpr int kMinimumHeight = 488;

    explicit Tchat(TchatOptions options = {}, QWidget* parent = nullptr);
    ~Tchat() override;

    const TchatOptions& options() const { return m_options; }
    core::TableClient& client() { return *m_client; }
    const core::TableClient& client() const { return *m_client; }
    BoardView* board() const { return m_board; }
    ChatPanel* chat() const { return m_chat; }
    ClientConnection* connection() const;
    QTcpSocket* companion() const;
    core::Settings& settings();
    SoundPlayer* soundPlayer() const { return m_sound; }
    ChatterSoundMenu* chatterSoundMenu() const { return m_chatterMenu; }
    DiceAnimation* diceAnimation() const;
    TableMenus* menus() const { return m_menus; }

    // The game host beside this window, for the copy that hosts (not owned; the program makes
    // it). Without one the window cannot host.
    void setHosting(TableHosting* hosting);
    TableHosting* hosting() const { return m_hosting; }
    // The other windows (not owned); null shows none of them.
    void setAuxWindows(AuxWindows* windows);
    AuxWindows* auxWindows() const { return m_windows; }

    // Modal boxes ("Game is full", "You are not connected", "Cannot open Webpage") go
    // through here, so tests can take them without blocking.
    using MessageBoxFn = std::function<void(const QString&)>;
    void setMessageBox(MessageBoxFn show);

    // Host notices shown so far in this run (the strip shows the latest).
    QStringList hostNotices() const { return m_notices; }

    // A menu item by its object name (e.g. "StartGame1", "JustWatch1").
    QAction* menuAction(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void buildLayout();
    void showMessage(const QString& text);
    void hostNotice(const QString& text);
    void applySettings();
    core::Placement placement() const;

    TchatOptions m_options;
    AuxWindows* m_windows = nullptr; // read by the menus and the adapters
    // The client's ways out come first: the client is built on them.
    RecordsAdapter* m_records = nullptr;
    PresentationAdapter* m_presentation = nullptr;
    TransportAdapter* m_transport = nullptr;
    MenusAdapter* m_menusAdapter = nullptr;
    std::unique_ptr<core::TableClient> m_client;
    BoardView* m_board = nullptr;
    ChatPanel* m_chat = nullptr;
    NoticeStrip* m_noticeStrip = nullptr;
    TableMenus* m_menus = nullptr;
    QPointer<TableHosting> m_hosting;
    SoundPlayer* m_sound = nullptr;
    ChatterSoundMenu* m_chatterMenu = nullptr;

    QStringList m_notices;
    bool m_shown = false;
    bool m_placed = false; // the settings' placement has been applied
    bool m_closing = false;
};

} // namespace ui
