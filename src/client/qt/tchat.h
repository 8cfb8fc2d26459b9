#pragma once
// The table window: the program's main window. The board on the left, the chat on the right,
// the menus above. It owns the table client's logic (core::TableClient) and is the client's
// way out (core::ClientPort): the connection to the host, the chat view, sounds and message
// boxes; the auxiliary windows and the tally are reached through the window set (AuxWindows).
//
// The window decides nothing about the game. Every host message goes from the connection to
// the client, and the client tells the window what to show; every click goes to the client,
// which tells the window what to send.
//
// In the hosting copy the window also switches the game host on and connects its own client
// to it on 127.0.0.1. Host notices are shown to the hosting player in a notice strip that
// fades by itself, never in a box that waits for a click.

#include "chat/settings.h"
#include "client/clientport.h"
#include "host/qt/tablereach.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTcpSocket;

namespace core {
class Settings;
class TableClient;
class TurnHandler;
} // namespace core

namespace ui {

class BoardView;
class ChatPanel;
class ChatterSoundMenu;
class CoachMenu;
class SeatHoldOption;
class Reconnector;
class ClientConnection;
class HostServer;
class NoticeStrip;
class SoundPlayer;
class AuxWindows;

// What the window is started with: the positional command-line parameters (name, host
// address, "true" to host; none for solo play), the game port and the host's time scale.
struct TchatOptions {
    std::vector<std::string> params;
    quint16 port = core::kGamePort;
    double timeScale = 1.0;
    // Port mapping and announcement of a table hosted from the command line (not of solo
    // play). Off unless asked for: the program turns both on.
    TableReachOptions reach;
};

class Tchat : public QMainWindow, private core::ClientPort {
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
    ClientConnection* connection() const { return m_connection; }
    // The game host of the hosting copy (null until this copy hosts, and in a joining copy).
    HostServer* hostServer() const;
    QTcpSocket* companion() const { return m_companion; }
    core::Settings& settings() { return *m_settings; }
    SoundPlayer* soundPlayer() const { return m_sound; }
    ChatterSoundMenu* chatterSoundMenu() const { return m_chatterMenu; }

    // The game host made after the table window in the start-up order; without one, the
    // window makes its own when it starts hosting.
    void setHostServer(HostServer* host);
    // The other windows (not owned); null shows none of them.
    void setAuxWindows(AuxWindows* windows) { m_windows = windows; }
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
    // core::ClientPort
    void startListening() override;
    void connectToHost(const std::string& address, int port) override;
    void openCompanion(const std::string& address, int port) override;
    void send(const std::string& message) override;
    void addlinetochat(const std::string& line, std::uint32_t colour) override;
    void chatrecieved(const std::string& payload) override;
    void playasound(const std::string& payload) override;
    void playsounds(const std::string& cue) override;
    void messageBox(const std::string& text) override;
    void closeWindow() override;
    void boardChanged() override;
    void diceChanged() override;
    void showLobbyDownload() override;
    void showGameOptions() override;
    void addSpectator(const core::Spectator& spectator) override;
    void removeSpectator(const core::Spectator& spectator) override;
    void setStartGameEnabled(bool enabled) override;
    void setJustWatchChecked(bool checked) override;
    void setSpyRemoveEnabled(bool enabled) override;
    void loadSettings() override;
    void writeSettings() override;
    void startDiceAnimation() override;
    void stopDiceAnimation() override;
    void addtomineincrease(int column) override;
    void recordGame(bool localWon, const std::string& winnersText,
                    const std::string& myTotal) override;
    void keepSeatToken(const std::string& token) override;
    std::string keptSeatToken() override;
    bool startReconnecting(int withinSeconds) override;
    std::string seatTokenPlace() const;
    void connectionStatus(const QString& text);

    void FormShow();
    void buildLayout();
    void buildMenus();
    QAction* addItem(QMenu* menu, const QString& text, const char* name, bool enabled = true);
    void showMessage(const QString& text);
    void hostNotice(const QString& text);
    void withWindows(void (AuxWindows::*show)());
    void startReach();
    void syncSession();
    void applySettings();
    core::Placement placement() const;
    void ResetScreenLocation1Click();

    TchatOptions m_options;
    std::unique_ptr<core::TableClient> m_client;
    BoardView* m_board = nullptr;
    ChatPanel* m_chat = nullptr;
    NoticeStrip* m_noticeStrip = nullptr;
    ClientConnection* m_connection = nullptr;
    QTcpSocket* m_companion = nullptr;
    QPointer<HostServer> m_host;
    std::unique_ptr<core::TurnHandler> m_turns; // the host's turn engine
    QPointer<TableReach> m_reach;
    AuxWindows* m_windows = nullptr;
    std::unique_ptr<core::Settings> m_settings;
    SoundPlayer* m_sound = nullptr;
    ChatterSoundMenu* m_chatterMenu = nullptr;

    CoachMenu* m_coachMenu = nullptr;
    SeatHoldOption* m_seatHold = nullptr;
    Reconnector* m_reconnector = nullptr;
    QAction* m_startGame = nullptr;
    QAction* m_justWatch = nullptr;
    QAction* m_remindMe = nullptr;
    QAction* m_playSounds = nullptr;
    QAction* m_playChatter = nullptr;
    QAction* m_classic = nullptr;
    QAction* m_newTurnSound = nullptr;
    QAction* m_slow = nullptr;
    QAction* m_normal = nullptr;
    QAction* m_fast = nullptr;

    MessageBoxFn m_messageBox;
    QStringList m_notices;
    bool m_shown = false;
    bool m_framed = false;       // the window's first picture is on the screen
    bool m_downloadDue = false;  // the lobby window waits for that picture
    bool m_closing = false;
};

} // namespace ui
