#pragma once
// What the table client needs from its surroundings: the connection to the host, the chat
// view, the sound player, the tally, the auxiliary windows, the menus and the timers. The
// window implements it; tests implement it with a recording fake.

#include <cstdint>
#include <string>

namespace core {

// A spectator at the table: one of the slots above the seats and the name it announced.
struct Spectator {
    int slot = 0;
    std::string name;
    bool operator==(const Spectator&) const = default;
};

class ClientPort {
public:
    virtual ~ClientPort() = default;

    // --- connection -------------------------------------------------------------------
    // Switches the game host's listening socket on (hosting copy only).
    virtual void startListening() = 0;
    // Connects the table connection to address:port without blocking.
    virtual void connectToHost(const std::string& address, int port) = 0;
    // Opens the lobby companion connection (127.0.0.1:9001); nothing is ever sent on it.
    virtual void openCompanion(const std::string& address, int port) = 0;
    // One message text without its terminator; the transport frames it.
    virtual void send(const std::string& message) = 0;

    // --- presentation -----------------------------------------------------------------
    // A chat line "<sender>+<body>" in a colour ($00BBGGRR layout).
    virtual void addlinetochat(const std::string& line, std::uint32_t colour) = 0;
    // A "CMD_chat" / "CMD_action" payload for the chat view to parse and show.
    virtual void chatrecieved(const std::string& payload) = 0;
    // A "CMD_playasound" payload (chatter sound).
    virtual void playasound(const std::string& payload) = 0;
    // A named sound cue ("dice", "turn", "entered", ...).
    virtual void playsounds(const std::string& cue) = 0;
    // A modal message box; must return once the user has dismissed it.
    virtual void messageBox(const std::string& text) = 0;
    // Closes the table window (which ends the program).
    virtual void closeWindow() = 0;
    // Something on the board changed; the view should redraw from the model.
    virtual void boardChanged() = 0;
    // Only the faces of the dice changed (a tick of the dice animation); a view may redraw
    // just the dice.
    virtual void diceChanged() { boardChanged(); }

    // --- windows and menus ------------------------------------------------------------
    virtual void showLobbyDownload() = 0;
    virtual void showGameOptions() = 0;
    virtual void addSpectator(const Spectator& spectator) = 0;
    virtual void removeSpectator(const Spectator& spectator) = 0;
    virtual void setStartGameEnabled(bool enabled) = 0; // File > "Start Game"
    virtual void setJustWatchChecked(bool checked) = 0; // Options > "Just Watch"
    virtual void setSpyRemoveEnabled(bool enabled) = 0; // spy list "Remove From Game"

    // --- settings ---------------------------------------------------------------------
    // Reads the settings file; called when the host announces our own arrival.
    virtual void loadSettings() = 0;
    // Writes the settings file (after the reminder option changed).
    virtual void writeSettings() = 0;

    // --- dice animation timer (500 ms; each tick calls TableClient::dicetimerTimer) ------
    virtual void startDiceAnimation() = 0;
    virtual void stopDiceAnimation() = 0;

    // --- coming back after a drop --------------------------------------------------------
    // Keeps our seat's token for this host address and port where a restarted copy finds it;
    // an empty token forgets it.
    virtual void keepSeatToken(const std::string& token) { (void)token; }
    virtual std::string keptSeatToken() { return {}; }
    // The connection closed while we hold a seat: connect again and again, backing off, for
    // up to withinSeconds; every new connection logs in as the first did. False when this
    // window cannot (the table then closes as it always did).
    virtual bool startReconnecting(int withinSeconds) {
        (void)withinSeconds;
        return false;
    }

    // --- tally ------------------------------------------------------------------------
    virtual void addtomineincrease(int column) = 0;
    // Records a finished game at once, with a new highest score, and saves the tally once:
    // localWon when we are among the winners; winnersText names them ("Bob", "Ann and Bob");
    // myTotal is our running total.
    virtual void recordGame(bool localWon, const std::string& winnersText,
                            const std::string& myTotal) = 0;
};

} // namespace core
