#include "client/tableclient.h"

#include "client/clientport.h"
#include "net/fields.h"

#include <optional>

namespace core {

namespace {

// Texts the table writes itself (chat lines carry the "0+" sender prefix).
constexpr const char* kLoadingSolo = "0+Loading Solo Game..Please wait.";
constexpr const char* kLoadingMulti = "0+Loading Multi-player Game.. Please Wait.";
constexpr const char* kYouConnected = "0+You are Connected.";
constexpr const char* kIsConnected = " is Connected.";
constexpr const char* kYouSpying = "0+You are spying.";
constexpr const char* kIsSpying = " is spying.";
constexpr const char* kDisconnected = " disconnected.";
constexpr const char* kHasLeft = " has left.";
constexpr const char* kJustWatching = " is just watching";
constexpr const char* kPlayingAgain = " is now playing again";
constexpr const char* kHaveWrongVersion = " has a different version of the game then you.";
constexpr const char* kWrongVersion = "0+You have a differnt version of the game then the host.";
constexpr const char* kGameFull = "Game is full";
constexpr const char* kNotConnected = "You are not connected";
constexpr const char* kYouStarted = "0+You have started a game.";
constexpr const char* kHasStarted = " has started a game.";
constexpr const char* kMustWait =
    "0+The game has started. You will have to wait until the next game to play.";
constexpr const char* kSocketClosed = "Socket Closed";

constexpr const char* kYourTurn = "Your Turn";
constexpr const char* kSomeonesTurn = "'s turn";
constexpr const char* kPostingScores = "Posting Scores.. Please Wait.";
constexpr const char* kYouBramble = "You got a BRAMBLE!";
constexpr const char* kGotBramble = " got a BRAMBLE!";
constexpr const char* kYouEnterBonus = "You are entering BONUS MODE!";
constexpr const char* kEntersBonus = " is entering BONUS MODE!";
constexpr const char* kYouExitBonus = "You are exiting BONUS MODE!";
constexpr const char* kExitsBonus = " is exiting BONUS MODE!";
constexpr const char* kRecieved = " recieved ";
constexpr const char* kBonusPoints = " bonus points!";
constexpr const char* kYouWon = "You have Won the Game!";
constexpr const char* kHaveWon = " have Won the Game!";
constexpr const char* kHasWon = " has Won the Game!";
constexpr const char* kGameOver = "Game Over!";

// Status on choosing a working category, by category 1..7.
constexpr const char* kCategoryStatus[kCategories] = {
    "Keep your ONES", "Select all TWOS", "Looking for THREES", "Roll those FOURS",
    "Get some FIVES", "Grab all Sixes",  "Make a STRAIGHT"};

// The host numbers its connections 1 to 9; slots above the seats are spectators.
constexpr int kLastSlot = 9;

bool isSeat(int n) {
    return n >= 1 && n <= kSeats;
}
bool isCategory(int n) {
    return n >= 1 && n <= kCategories;
}
bool isDie(int n) {
    return n >= 1 && n <= kDice;
}

std::string str(std::string_view s) {
    return std::string(s);
}

// Reads die and face pairs to the end of the payload and hands each pair that names a die to
// apply (the placeholder pair 0, 0 names none). False when a field is not a number.
template <typename Apply> bool forEachDiePair(FieldReader& r, Apply apply) {
    while (!r.atEnd()) {
        auto die = r.nextInt();
        if (!die) return false;
        auto face = r.nextInt();
        if (!face) return false;
        if (isDie(*die)) apply(*die, *face);
    }
    return true;
}

} // namespace

TableClient::TableClient(ClientPort& port, unsigned animationSeed)
    : m_port(port), m_rng(animationSeed) {}

std::string TableClient::seatName(int seat) const {
    return isSeat(seat) ? m_board.seat(seat).label : std::string();
}

void TableClient::chatLine(const std::string& body) {
    m_port.addlinetochat(body, m_systemcolour);
}

void TableClient::startAnimation() {
    m_animating = true;
    m_port.startDiceAnimation();
}

void TableClient::stopAnimation() {
    m_animating = false;
    m_port.stopDiceAnimation();
}

void TableClient::setJustWatch(bool checked) {
    m_justWatchChecked = checked;
    m_port.setJustWatchChecked(checked);
}

// ---------------------------------------------------------------------------------------
// Start-up

void TableClient::processparams(const std::vector<std::string>& params) {
    m_board.startVisible = false;
    m_startGameEnabled = false;
    m_port.setStartGameEnabled(false);
    m_loginname.clear();

    if (params.empty()) {
        chatLine(kLoadingSolo);
        m_port.showLobbyDownload();
        m_hostaddress = kLocalAddress;
        m_playername = "You";
        hostpress();
    } else {
        chatLine(kLoadingMulti);
        // With fewer than three parameters we cannot tell hosting from joining, so the
        // window stays unconnected.
        if (params.size() >= 3) {
            m_playername = params[0];
            m_hostaddress = params[1];
            if (params[2] == "true")
                hostpress();
            else
                joinpress();
            m_port.openCompanion(kLocalAddress, kCompanionPort);
        }
    }
    m_port.boardChanged();
}

void TableClient::hostpress() {
    m_port.startListening();
    m_loginname = m_playername;
    m_hosting = true;
    // Our own host always listens on this machine, whatever address the lobby named.
    m_port.connectToHost(kLocalAddress, kHostPort);
    m_board.startVisible = true;
    m_startGameEnabled = true;
    m_port.setStartGameEnabled(true);
    m_port.setSpyRemoveEnabled(true);
}

void TableClient::joinpress() {
    m_loginname = m_playername;
    m_port.connectToHost(m_hostaddress, kHostPort);
}

// ---------------------------------------------------------------------------------------
// Dispatch

void TableClient::handleMessage(std::string_view entry) {
    auto [command, payload] = splitEntry(entry);
    if (command.empty()) return;

    if (command == "CMD_sendlogininfo")
        sendloginfo(payload);
    else if (command == "CMD_chat")
        m_port.chatrecieved(str(payload));
    else if (command == "CMD_action")
        m_port.chatrecieved(str(payload));
    else if (command == "CMD_playasound")
        m_port.playasound(str(payload));
    else if (command == "CMD_newplayerinfo")
        newplayerinfo(payload);
    else if (command == "CMD_havewrongversion")
        havewrongversion(payload);
    else if (command == "CMD_wrongversion")
        wrongversion();
    else if (command == "CMD_existingplayers")
        newplayerinfo(payload);
    else if (command == "CMD_playerdisconnected")
        playerdisconnected(payload);
    else if (command == "CMD_startgame")
        startthegame(payload);
    else if (command == "CMD_nextplayer")
        getnextplayer(payload);
    else if (command == "CMD_winner")
        winner(payload);
    else if (command == "CMD_full")
        gamefull();
    else if (command == "CMD_justwatching")
        justwatching(payload);
    else if (command == "CMD_createdice")
        createdice(payload);
    else if (command == "CMD_selectedcat")
        selectedcat(payload);
    else if (command == "CMD_bonustime")
        bonustime(payload);
    else if (command == "CMD_bonusend")
        bonusend(payload);
    else if (command == "CMD_gotbonus")
        gotbonus(payload);
    else if (command == "CMD_postscores")
        postscore(payload);
    else if (command == "CMD_bramble")
        bramble(payload);
    else if (command == "CMD_needcat")
        needcat(payload);
    else if (command == "CMD_loadstats")
        loadstats(payload);
    else if (command == "CMD_loadscores")
        loadscores(payload);
    else
        return;
    m_port.boardChanged();
}

void TableClient::sockInfo(std::string_view text) {
    if (text == kSocketClosed) m_port.closeWindow();
}

// ---------------------------------------------------------------------------------------
// Login and presence

void TableClient::sendloginfo(std::string_view payload) {
    FieldReader r(payload);
    auto slot = r.nextInt();
    if (!slot || *slot < 1) return;
    m_myslot = *slot;
    m_loggedin = true;
    m_port.send(
        buildMessage("CMD_logininfo", {std::to_string(m_myslot), kVersionText, m_loginname}));
}

void TableClient::newplayerinfo(std::string_view payload) {
    FieldReader r(payload);
    while (!r.atEnd()) {
        auto slot = r.nextInt();
        if (!slot) return;
        std::string name = str(r.next());
        std::string_view watching = r.next();
        if (*slot < 1 || *slot > kLastSlot) continue;

        if (*slot == m_myslot) {
            chatLine(kYouConnected);
            m_port.loadSettings();
        } else {
            chatLine("0+" + name + kIsConnected);
        }
        if (*slot <= kSeats) {
            m_board.seat(*slot).label = name;
            if (watching == "1") m_board.seat(*slot).eyes = true;
        } else {
            // A slot holds one spectator: announced again, its old entry is replaced, so the
            // list cannot grow past the three spectator slots.
            const std::string prefix = std::to_string(*slot) + ": ";
            for (auto it = m_spectators.begin(); it != m_spectators.end(); ++it) {
                if (it->rfind(prefix, 0) != 0) continue;
                m_port.removeSpectator(*it);
                m_spectators.erase(it);
                break;
            }
            std::string entry = prefix + name;
            m_spectators.push_back(entry);
            m_port.addSpectator(entry);
            chatLine(*slot == m_myslot ? std::string(kYouSpying) : "0+" + name + kIsSpying);
        }
    }
    m_port.playsounds("entered");
}

void TableClient::playerdisconnected(std::string_view payload) {
    FieldReader r(payload);
    auto slot = r.nextInt();
    if (!slot || *slot < 1) return;
    std::string name = str(r.rest());

    if (*slot <= kSeats) {
        SeatState& s = m_board.seat(*slot);
        std::string fallback = *slot == 2 ? kSeat2Fallback : "";
        if (s.label != kWaiting && s.label != fallback) chatLine("0+" + s.label + kDisconnected);
        s.label = *slot == 2 ? kSeat2Fallback : kWaiting;
        if (*slot >= 3) s.notPlaying = true;
        s.eyes = false;
        return;
    }
    std::string entry = std::to_string(*slot) + ": " + name;
    for (auto it = m_spectators.begin(); it != m_spectators.end(); ++it) {
        if (*it != entry) continue;
        chatLine("0+" + name + kHasLeft);
        m_spectators.erase(it);
        m_port.removeSpectator(entry);
        return;
    }
}

void TableClient::justwatching(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    if (!seat || !isSeat(*seat)) return;
    std::string_view mode = r.next();
    SeatState& s = m_board.seat(*seat);
    if (mode == "1") {
        if (*seat == m_myslot) setJustWatch(true);
        chatLine("0+" + s.label + kJustWatching);
        s.eyes = true;
    } else {
        if (*seat == m_myslot) setJustWatch(false);
        chatLine("0+" + s.label + kPlayingAgain);
        s.eyes = false;
    }
}

void TableClient::havewrongversion(std::string_view payload) {
    chatLine("0+" + str(payload) + kHaveWrongVersion);
}

void TableClient::wrongversion() {
    chatLine(kWrongVersion);
}

void TableClient::gamefull() {
    m_port.messageBox(kGameFull);
    m_port.closeWindow();
}

// ---------------------------------------------------------------------------------------
// Menus and the seat menu

void TableClient::JustWatch1Click() {
    if (!m_loggedin || !iAmSeated()) return;
    m_port.send(
        buildMessage("CMD_justwatch", {std::to_string(m_myslot), m_justWatchChecked ? "2" : "1"}));
}

SeatMenuState TableClient::label_playernameMouseUp(int seat) {
    m_seatMenu.seat = seat;
    m_seatMenu.removeEnabled = m_hosting;
    m_seatMenu.setJustWatchEnabled = m_hosting;
    m_seatMenu.unsetJustWatchEnabled = m_hosting;
    if (isSeat(seat) && m_board.seat(seat).label == kWaiting) m_seatMenu.removeEnabled = false;
    return m_seatMenu;
}

void TableClient::RemoveFromGame1Click() {
    kicking(m_seatMenu.seat);
}

void TableClient::SettoJustWatch1Click() {
    if (!m_loggedin || !isSeat(m_seatMenu.seat)) return;
    m_port.send(buildMessage("CMD_justwatch", {std::to_string(m_seatMenu.seat), "1"}));
}

void TableClient::UnsetJustWatch1Click() {
    if (!m_loggedin || !isSeat(m_seatMenu.seat)) return;
    m_port.send(buildMessage("CMD_justwatch", {std::to_string(m_seatMenu.seat), "2"}));
}

void TableClient::kicking(int slot) {
    if (!m_hosting || !m_loggedin) return;
    m_port.send(
        buildMessage("CMD_kickhim", {std::to_string(m_myslot), std::to_string(slot)}, true));
}

void TableClient::remindme1Click() {
    m_remindMe = !m_remindMe;
    m_port.writeSettings();
}

// ---------------------------------------------------------------------------------------
// Turn controls

void TableClient::button_startClick() {
    if (m_loggedin)
        m_port.showGameOptions();
    else
        m_port.messageBox(kNotConnected);
}

void TableClient::sendStartGame(int limit) {
    if (!m_loggedin) return;
    m_port.send(buildMessage("CMD_startgame", {m_playername, std::to_string(limit)}, true));
}

void TableClient::button_rollClick() {
    const bool noCategory = m_board.workingCategory == 0;
    const int rolls = m_board.rollsUsed();
    if (myTurn() && noCategory && rolls == 2) {
        m_board.panelError1Visible = true;
        m_port.playsounds("error");
        m_port.boardChanged();
        return;
    }
    if (myTurn() && noCategory && rolls > 0) {
        if (m_remindMe) {
            m_board.panelErrorVisible = true;
            m_port.playsounds("error");
            m_port.boardChanged();
            return;
        }
        // Without a working category holds do not count: everything rolls again.
        for (int d = 1; d <= kDice; ++d) {
            m_board.die(d).held = false;
            m_board.die(d).top = kDieRestTop;
        }
    }
    if (myTurn() && m_loggedin) {
        std::vector<std::string> fields{std::to_string(m_myslot)};
        for (int d = 1; d <= kDice; ++d)
            if (!m_board.die(d).held) fields.push_back(std::to_string(d));
        if (fields.size() == 1) fields.push_back("0");
        m_port.send(buildMessage("CMD_rollthedice", fields));
    }
    m_board.rollVisible = false;
    m_turnseat = 0;
    m_port.boardChanged();
}

void TableClient::button_yesClick() {
    if (myTurn() && m_loggedin) {
        for (int d = 1; d <= kDice; ++d)
            m_board.die(d).top = kDieRestTop;
        m_port.send(
            buildMessage("CMD_rollthedice", {std::to_string(m_myslot), "1", "2", "3", "4", "5"}));
    }
    m_board.panelErrorVisible = false;
    m_board.rollVisible = false;
    m_turnseat = 0;
    m_port.boardChanged();
}

void TableClient::button_noClick() {
    m_board.panelErrorVisible = false;
    m_port.boardChanged();
}

void TableClient::button_okClick() {
    m_board.panelError1Visible = false;
    m_port.boardChanged();
}

void TableClient::image_dMouseUp(int die, MouseButton button) {
    if (!isDie(die) || button != MouseButton::Left || !myTurn() || m_animating) return;
    DieState& d = m_board.die(die);
    d.held = !d.held;
    d.top = d.held ? kDieRaisedTop : kDieRestTop;
    m_board.drawDie(die, DieBody::Plain);
    m_port.playsounds(d.held ? "set" : "unset");
    m_port.boardChanged();
}

void TableClient::categoryClick(int category) {
    if (!isCategory(category) || !m_loggedin || !myTurn()) return;
    if (!m_board.category(category).selectable) return;
    m_port.send(
        buildMessage("CMD_selectcat", {std::to_string(m_myslot), std::to_string(category)}, true));
    m_turnseat = 0;
    m_port.boardChanged();
}

void TableClient::dicetimerTimer() {
    std::uniform_int_distribution<int> face(1, 6);
    for (int d = 1; d <= kDice; ++d) {
        DieState& die = m_board.die(d);
        die.body = DieBody::Plain;
        die.pips = face(m_rng);
    }
    m_port.boardChanged();
}

// ---------------------------------------------------------------------------------------
// Game messages

void TableClient::startthegame(std::string_view payload) {
    FieldReader r(payload);
    std::string name = str(r.next());
    std::string limit = str(r.next());

    m_board.startVisible = false;
    setJustWatch(false);
    m_board.winnerPanelVisible = false;
    m_board.panelErrorVisible = false;
    m_board.panelError1Visible = false;
    m_board.clearall();
    m_board.limitLabel = BoardModel::limitText(limit);

    if (m_myslot > kSeats)
        chatLine("0+" + name + kHasStarted);
    else if (iAmSeated() && m_board.seat(m_myslot).label == name)
        chatLine(kYouStarted);
    else
        chatLine("0+" + name + kHasStarted);

    if (m_board.seat(2).label == kWaiting) m_board.seat(2).label = kSeat2Fallback;
    for (int s = 3; s <= kSeats; ++s)
        if (m_board.seat(s).label == kWaiting) m_board.seat(s).notPlaying = true;
}

// The game handlers below apply their effects in the order the board is drawn and read each
// number where it is first needed: a field that is not a number stops the handler there, with
// everything before it already done.

void TableClient::getnextplayer(std::string_view payload) {
    FieldReader r(payload);
    startAnimation();
    auto seat = r.nextInt();
    if (!seat) return;
    m_turnseat = *seat;
    std::string round = str(r.next());
    if (!parseInt(round)) return;
    m_board.roundText = "Round: " + round;
    m_board.setRollsUsed(0);
    showTurnColumn(*seat, true);
    while (!r.atEnd()) {
        auto cat = r.nextInt();
        if (!cat) return;
        if (isCategory(*cat)) offerCategory(*cat); // 0: nothing open
    }
    for (int d = 1; d <= kDice; ++d) {
        DieState& die = m_board.die(d);
        die.bonusMark = false;
        die.body = DieBody::Blank;
        die.pips = 0;
        die.top = kDieRestTop;
        die.face = 0;
        die.held = false;
    }
    announceTurn(*seat);
}

// Moves the score marker and the highlight to the seat's column and closes every category.
void TableClient::showTurnColumn(int seat, bool hideMarks) {
    m_board.scoreturnLeft = BoardModel::columnLeft(seat);
    m_board.currentBarWidth = BoardModel::activeBarWidth(seat);
    m_board.highlightColumn(seat);
    m_board.resetCategories(hideMarks);
}

void TableClient::offerCategory(int category) {
    CategoryState& c = m_board.category(category);
    c.barWidth = m_board.currentBarWidth;
    c.buttonVisible = true;
    c.selectable = true;
}

// The last step of setting up a turn: no category chosen yet, and the status says whose it is.
void TableClient::announceTurn(int seat) {
    m_board.scoreturnVisible = true;
    m_board.workingCategory = 0;
    if (seat == m_myslot) {
        m_board.status = kYourTurn;
        m_port.playsounds("turn");
        m_board.rollVisible = true;
    } else {
        m_board.status = seatName(seat) + kSomeonesTurn;
    }
}

// Draws each die the rest of the payload names at rest with the given body. False when a
// field is not a number.
bool TableClient::drawRolledDice(FieldReader& r, DieBody body) {
    return forEachDiePair(r, [&](int die, int face) {
        DieState& d = m_board.die(die);
        d.face = face;
        d.held = false;
        d.top = kDieRestTop;
        m_board.drawDie(die, body);
    });
}

void TableClient::createdice(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    auto rolls = r.nextInt();

    stopAnimation();
    if (!rolls) return;
    m_board.setRollsUsed(*rolls);
    if (!seat) return;
    m_turnseat = *seat;
    // Dice the roll does not name stay raised and keep their holds and pictures.
    for (int d = 1; d <= kDice; ++d)
        m_board.die(d).top = kDieRaisedTop;
    if (!drawRolledDice(r, DieBody::Plain)) return;
    if (*rolls >= 3)
        m_board.status = kPostingScores;
    else if (*seat == m_myslot)
        m_board.rollVisible = true;
    m_port.playsounds("dice");
}

void TableClient::selectedcat(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    if (!seat) return;
    m_turnseat = *seat;
    auto cat = r.nextInt();
    if (!cat) return;
    m_board.workingCategory = *cat;
    for (int n = 1; n <= kCategories; ++n) {
        CategoryState& c = m_board.category(n);
        c.selectable = false;
        c.buttonVisible = n == *cat;
        c.barVisible = n == *cat;
        if (n == *cat) c.markVisible = true;
    }
    m_port.playsounds("select");
    if (*seat == m_myslot && isCategory(*cat)) m_board.status = kCategoryStatus[*cat - 1];
}

void TableClient::needcat(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    if (!seat || *seat != m_myslot) return;
    m_board.panelError1Visible = true;
    m_turnseat = *seat;
    m_board.rollVisible = true;
    m_port.playsounds("error");
}

// Writes row 8 (the total) of the seat; false when the seat or the total is not a number.
bool TableClient::postTotal(std::optional<int> seat, const std::string& total) {
    if (!seat || !parseInt(total)) return false;
    if (isSeat(*seat)) m_board.cell(*seat, 8).text = total;
    return true;
}

// Writes the score into the category's row; false when either is not a number.
bool TableClient::postCategory(int seat, std::optional<int> cat, const std::string& score) {
    if (!parseInt(score) || !cat) return false;
    if (isSeat(seat) && isCategory(*cat)) m_board.cell(seat, *cat).text = score;
    return true;
}

void TableClient::bramble(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    std::string total = str(r.next());
    std::string score = str(r.next());
    auto rolls = r.nextInt();

    stopAnimation();
    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, 7, score)) return;
    if (!rolls) return;
    m_board.setRollsUsed(*rolls);
    if (!drawRolledDice(r, DieBody::Plain)) return;
    if (*seat == m_myslot) {
        m_board.status = kYouBramble;
        m_port.addtomineincrease(5);
    } else {
        m_board.status = seatName(*seat) + kGotBramble;
    }
    m_port.playsounds("bramble");
}

void TableClient::postscore(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    std::string total = str(r.next());
    std::string score = str(r.next());
    auto cat = r.nextInt();

    stopAnimation();
    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, cat, score)) return;
    m_port.playsounds(*parseInt(score) > 0 ? "gotpoints" : "nopoints");
}

void TableClient::bonustime(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    std::string total = str(r.next());
    std::string score = str(r.next());
    auto cat = r.nextInt();

    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, cat, score)) return;
    if (*seat == m_myslot) {
        m_board.status = kYouEnterBonus;
        m_port.addtomineincrease(4);
    } else {
        m_board.status = seatName(*seat) + kEntersBonus;
    }
    m_port.playsounds("enterbonus");
}

void TableClient::gotbonus(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    std::string total = str(r.next());
    std::string gain = str(r.next());
    auto cat = r.nextInt();
    std::string newScore = str(r.next());

    stopAnimation();
    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, cat, newScore)) return;
    if (!parseInt(gain)) return;
    if (*seat == m_myslot)
        m_board.status = std::string("You") + kRecieved + gain + kBonusPoints;
    else
        m_board.status = seatName(*seat) + kRecieved + gain + kBonusPoints;
    const bool complete = forEachDiePair(r, [&](int die, int face) {
        DieState& d = m_board.die(die);
        d.face = face;
        d.held = false;
        const bool onBonusFace = face == *cat;
        d.top = onBonusFace ? kDieRaisedTop : kDieRestTop;
        d.bonusMark = onBonusFace;
        m_board.drawDie(die, DieBody::Bonus);
    });
    if (!complete) return;
    m_port.playsounds("gotbonus");
}

void TableClient::bonusend(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();

    stopAnimation();
    if (!seat) return;
    if (*seat == m_myslot)
        m_board.status = kYouExitBonus;
    else
        m_board.status = seatName(*seat) + kExitsBonus;
    // 0, 0: the limit ended it; the dice and their marks stay as they were.
    const bool complete = forEachDiePair(r, [&](int die, int face) {
        DieState& d = m_board.die(die);
        d.face = face;
        d.held = false;
        d.top = kDieRestTop;
        d.bonusMark = false;
        m_board.drawDie(die, DieBody::Bonus);
    });
    if (!complete) return;
    m_port.playsounds("exitbonus");
}

void TableClient::winner(std::string_view payload) {
    FieldReader r(payload);
    std::vector<int> winners;
    bool complete = true;
    while (!r.atEnd()) {
        auto seat = r.nextInt();
        if (!seat) {
            complete = false;
            break;
        }
        if (isSeat(*seat)) winners.push_back(*seat); // the closing 0 is skipped
    }

    std::string text;
    bool iWon = false;
    for (std::size_t i = 0; i < winners.size(); ++i) {
        const int seat = winners[i];
        const bool me = seat == m_myslot;
        iWon = iWon || me;
        if (i == 0)
            text = seatName(seat);
        else
            text += me ? std::string(" and You") : " and " + seatName(seat);
        m_board.seat(seat).winnerMark = true;
    }
    // Nobody listed would record an unnamed winner in the tally.
    if (!complete || winners.empty()) return;
    m_port.playsounds("winner");

    // Decided by seat, not by comparing names: a namesake who wins alone is not us.
    std::string label;
    if (iAmSeated() && iWon && winners.size() == 1)
        label = kYouWon;
    else
        label = text + (winners.size() > 1 ? kHaveWon : kHasWon);
    m_board.winner1 = label;
    m_board.winner2 = label;
    m_board.status = kGameOver;
    chatLine("0+" + label);
    m_board.winnerPanelVisible = true;
    if (m_hosting) m_board.startVisible = true;

    m_board.scoreturnVisible = false;
    for (int n = 1; n <= kCategories; ++n) {
        CategoryState& c = m_board.category(n);
        c.barVisible = false;
        c.buttonVisible = false;
        c.markVisible = false;
    }
    for (int s = 1; s <= kSeats; ++s)
        for (int row = 1; row <= kRows; ++row) {
            m_board.cell(s, row).grey = false;
            m_board.cell(s, row).bold = false;
        }

    if (!iAmSeated()) return;
    if (iWon)
        m_port.addgame("addtomine");
    else if (text.find(" and ") == std::string::npos)
        m_port.addgame(text);
    const std::string mine = m_board.cell(m_myslot, 8).text;
    auto myTotal = parseInt(mine);
    auto best = parseInt(m_port.mylabel3());
    if (myTotal && best && *myTotal > *best) m_port.addtomineset(3, mine);
}

// ---------------------------------------------------------------------------------------
// Late joiner

void TableClient::loadstats(std::string_view payload) {
    FieldReader r(payload);
    auto slot = r.nextInt();
    if (!slot || *slot != m_myslot) return;
    auto seat = r.nextInt();
    std::string limit = str(r.next());
    auto rolls = r.nextInt();
    std::string round = str(r.next());
    auto working = r.nextInt(); // used only after the dice are drawn

    if (!seat) return;
    m_turnseat = *seat;
    if (!parseInt(limit)) return;
    m_board.limitLabel = BoardModel::limitText(limit);
    if (!rolls) return;
    m_board.setRollsUsed(*rolls);
    if (!parseInt(round)) return;
    m_board.roundText = "Round: " + round;
    showTurnColumn(*seat, false);
    const bool complete = forEachDiePair(r, [&](int die, int face) {
        DieState& d = m_board.die(die);
        d.top = kDieRestTop;
        d.face = face == 0 ? 1 : face; // not rolled yet this turn: shown as ones
        d.held = false;
        m_board.drawDie(die, DieBody::Plain);
    });
    if (!complete) return;
    // The message does not say which categories are still open, so all are offered; the
    // host refuses the ones already scored.
    for (int n = 1; n <= kCategories; ++n)
        offerCategory(n);
    if (!working) return;
    if (isCategory(*working)) {
        CategoryState& c = m_board.category(*working);
        c.selectable = false;
        c.buttonVisible = true;
        c.barVisible = true;
    }
    announceTurn(*seat);
}

void TableClient::loadscores(std::string_view payload) {
    FieldReader r(payload);
    auto slot = r.nextInt();
    if (!slot || *slot != m_myslot) return;
    while (!r.atEnd()) {
        std::string entry = str(r.next());
        // Cut the seat entry at "*": seat, flag, then (row, value) pairs.
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (;;) {
            std::size_t star = entry.find('*', start);
            parts.push_back(entry.substr(start, star == std::string::npos ? star : star - start));
            if (star == std::string::npos) break;
            start = star + 1;
        }
        auto seat = parseInt(parts[0]);
        if (!seat) return;
        const std::string flag = parts.size() > 1 ? parts[1] : std::string();
        for (std::size_t i = 2; i + 1 < parts.size(); i += 2) {
            auto row = parseInt(parts[i]);
            auto value = parseInt(parts[i + 1]);
            if (!row || !value) return;
            if (!isSeat(*seat) || *row < 1 || *row > kRows) continue;
            m_board.cell(*seat, *row).text = *value > 0 ? parts[i + 1] : std::string();
        }
        if (flag == "f" && *seat >= 3 && *seat <= kSeats) {
            m_board.seat(*seat).notPlaying = true;
            if (*seat == m_myslot) chatLine(kMustWait);
        }
    }
}

} // namespace core
