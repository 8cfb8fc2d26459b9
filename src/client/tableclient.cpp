#include "client/tableclient.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "net/fields.h"

#include <optional>

namespace core {

namespace {

// Texts the table writes itself (chat lines carry the "0+" sender prefix).
constexpr const char* kYouStarted = "0+You have started a game.";
constexpr const char* kHasStarted = " has started a game.";
constexpr const char* kMustWait =
    "0+The game has started. You will have to wait until the next game to play.";

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

} // namespace

TableClient::TableClient(ClientPort& port, unsigned animationSeed)
    : m_state(port), m_session(m_state), m_presence(m_state), m_seatMenu(m_state),
      m_rng(animationSeed) {}

// ---------------------------------------------------------------------------------------
// Dispatch

void TableClient::handleMessage(std::string_view entry) {
    auto [command, payload] = splitEntry(entry);
    if (command.empty()) return;

    if (command == "CMD_sendlogininfo")
        m_session.sendloginfo(payload);
    else if (command == "CMD_chat")
        m_state.port.chatrecieved(str(payload));
    else if (command == "CMD_action")
        m_state.port.chatrecieved(str(payload));
    else if (command == "CMD_playasound")
        m_state.port.playasound(str(payload));
    else if (command == "CMD_newplayerinfo")
        m_presence.newplayerinfo(payload);
    else if (command == "CMD_havewrongversion")
        m_presence.havewrongversion(payload);
    else if (command == "CMD_wrongversion")
        m_session.wrongversion();
    else if (command == "CMD_existingplayers")
        m_presence.newplayerinfo(payload);
    else if (command == "CMD_playerdisconnected")
        m_presence.playerdisconnected(payload);
    else if (command == "CMD_startgame")
        startthegame(payload);
    else if (command == "CMD_nextplayer")
        getnextplayer(payload);
    else if (command == "CMD_winner")
        winner(payload);
    else if (command == "CMD_full")
        m_session.gamefull();
    else if (command == "CMD_justwatching")
        m_presence.justwatching(payload);
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
    m_state.port.boardChanged();
}

void TableClient::remindme1Click() {
    m_remindMe = !m_remindMe;
    m_state.port.writeSettings();
}

// ---------------------------------------------------------------------------------------
// Turn controls

void TableClient::button_rollClick() {
    const bool noCategory = m_state.board.workingCategory == 0;
    const int rolls = m_state.board.rollsUsed();
    if (m_state.myTurn() && noCategory && rolls == 2) {
        m_state.board.panelError1Visible = true;
        m_state.port.playsounds("error");
        m_state.port.boardChanged();
        return;
    }
    if (m_state.myTurn() && noCategory && rolls > 0) {
        if (m_remindMe) {
            m_state.board.panelErrorVisible = true;
            m_state.port.playsounds("error");
            m_state.port.boardChanged();
            return;
        }
        // Without a working category holds do not count: everything rolls again.
        for (int d = 1; d <= kDice; ++d) {
            m_state.board.die(d).held = false;
            m_state.board.die(d).top = kDieRestTop;
        }
    }
    if (m_state.myTurn() && m_state.loggedin) {
        std::vector<std::string> fields{std::to_string(m_state.myslot)};
        for (int d = 1; d <= kDice; ++d)
            if (!m_state.board.die(d).held) fields.push_back(std::to_string(d));
        if (fields.size() == 1) fields.push_back("0");
        m_state.port.send(buildMessage("CMD_rollthedice", fields));
    }
    m_state.board.rollVisible = false;
    m_state.turnseat = 0;
    m_state.port.boardChanged();
}

void TableClient::button_yesClick() {
    if (m_state.myTurn() && m_state.loggedin) {
        for (int d = 1; d <= kDice; ++d)
            m_state.board.die(d).top = kDieRestTop;
        m_state.port.send(buildMessage("CMD_rollthedice",
                                       {std::to_string(m_state.myslot), "1", "2", "3", "4", "5"}));
    }
    m_state.board.panelErrorVisible = false;
    m_state.board.rollVisible = false;
    m_state.turnseat = 0;
    m_state.port.boardChanged();
}

void TableClient::button_noClick() {
    m_state.board.panelErrorVisible = false;
    m_state.port.boardChanged();
}

void TableClient::button_okClick() {
    m_state.board.panelError1Visible = false;
    m_state.port.boardChanged();
}

void TableClient::image_dMouseUp(int die, MouseButton button) {
    if (!isDie(die) || button != MouseButton::Left || !m_state.myTurn() || m_state.animating)
        return;
    DieState& d = m_state.board.die(die);
    d.held = !d.held;
    d.top = d.held ? kDieRaisedTop : kDieRestTop;
    m_state.board.drawDie(die, DieBody::Plain);
    m_state.port.playsounds(d.held ? "set" : "unset");
    m_state.port.boardChanged();
}

void TableClient::categoryClick(int category) {
    if (!isCategory(category) || !m_state.loggedin || !m_state.myTurn()) return;
    if (!m_state.board.category(category).selectable) return;
    m_state.port.send(buildMessage(
        "CMD_selectcat", {std::to_string(m_state.myslot), std::to_string(category)}, true));
    m_state.turnseat = 0;
    m_state.port.boardChanged();
}

void TableClient::dicetimerTimer() {
    std::uniform_int_distribution<int> face(1, 6);
    for (int d = 1; d <= kDice; ++d) {
        DieState& die = m_state.board.die(d);
        die.body = DieBody::Plain;
        die.pips = face(m_rng);
    }
    m_state.port.boardChanged();
}

// ---------------------------------------------------------------------------------------
// Game messages

void TableClient::startthegame(std::string_view payload) {
    FieldReader r(payload);
    std::string name = str(r.next());
    std::string limit = str(r.next());

    m_state.board.startVisible = false;
    m_state.setJustWatch(false);
    m_state.board.winnerPanelVisible = false;
    m_state.board.panelErrorVisible = false;
    m_state.board.panelError1Visible = false;
    m_state.board.clearall();
    m_state.board.limitLabel = BoardModel::limitText(limit);

    if (m_state.myslot > kSeats)
        m_state.chatLine("0+" + name + kHasStarted);
    else if (m_state.iAmSeated() && m_state.board.seat(m_state.myslot).label == name)
        m_state.chatLine(kYouStarted);
    else
        m_state.chatLine("0+" + name + kHasStarted);

    if (m_state.board.seat(2).label == kWaiting) m_state.board.seat(2).label = kSeat2Fallback;
    for (int s = 3; s <= kSeats; ++s)
        if (m_state.board.seat(s).label == kWaiting) m_state.board.seat(s).notPlaying = true;
}

// The game handlers below apply their effects in the order the board is drawn and read each
// number where it is first needed: a field that is not a number stops the handler there, with
// everything before it already done.

void TableClient::getnextplayer(std::string_view payload) {
    FieldReader r(payload);
    m_state.startAnimation();
    auto seat = r.nextInt();
    if (!seat) return;
    m_state.turnseat = *seat;
    std::string round = str(r.next());
    if (!parseInt(round)) return;
    m_state.board.roundText = "Round: " + round;
    m_state.board.setRollsUsed(0);
    showTurnColumn(*seat, true);
    while (!r.atEnd()) {
        auto cat = r.nextInt();
        if (!cat) return;
        if (isCategory(*cat)) offerCategory(*cat); // 0: nothing open
    }
    for (int d = 1; d <= kDice; ++d) {
        DieState& die = m_state.board.die(d);
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
    m_state.board.scoreturnLeft = BoardModel::columnLeft(seat);
    m_state.board.currentBarWidth = BoardModel::activeBarWidth(seat);
    m_state.board.highlightColumn(seat);
    m_state.board.resetCategories(hideMarks);
}

void TableClient::offerCategory(int category) {
    CategoryState& c = m_state.board.category(category);
    c.barWidth = m_state.board.currentBarWidth;
    c.buttonVisible = true;
    c.selectable = true;
}

// The last step of setting up a turn: no category chosen yet, and the status says whose it is.
void TableClient::announceTurn(int seat) {
    m_state.board.scoreturnVisible = true;
    m_state.board.workingCategory = 0;
    if (seat == m_state.myslot) {
        m_state.board.status = kYourTurn;
        m_state.port.playsounds("turn");
        m_state.board.rollVisible = true;
    } else {
        m_state.board.status = m_state.seatName(seat) + kSomeonesTurn;
    }
}

void TableClient::createdice(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    auto rolls = r.nextInt();

    m_state.stopAnimation();
    if (!rolls) return;
    m_state.board.setRollsUsed(*rolls);
    if (!seat) return;
    m_state.turnseat = *seat;
    // Dice the roll does not name stay raised and keep their holds and pictures.
    for (int d = 1; d <= kDice; ++d)
        m_state.board.die(d).top = kDieRaisedTop;
    if (!drawRolledDice(m_state.board, r, DieBody::Plain)) return;
    if (*rolls >= 3)
        m_state.board.status = kPostingScores;
    else if (*seat == m_state.myslot)
        m_state.board.rollVisible = true;
    m_state.port.playsounds("dice");
}

void TableClient::selectedcat(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    if (!seat) return;
    m_state.turnseat = *seat;
    auto cat = r.nextInt();
    if (!cat) return;
    m_state.board.workingCategory = *cat;
    for (int n = 1; n <= kCategories; ++n) {
        CategoryState& c = m_state.board.category(n);
        c.selectable = false;
        c.buttonVisible = n == *cat;
        c.barVisible = n == *cat;
        if (n == *cat) c.markVisible = true;
    }
    m_state.port.playsounds("select");
    if (*seat == m_state.myslot && isCategory(*cat))
        m_state.board.status = kCategoryStatus[*cat - 1];
}

void TableClient::needcat(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    if (!seat || *seat != m_state.myslot) return;
    m_state.board.panelError1Visible = true;
    m_state.turnseat = *seat;
    m_state.board.rollVisible = true;
    m_state.port.playsounds("error");
}

// Writes row 8 (the total) of the seat; false when the seat or the total is not a number.
bool TableClient::postTotal(std::optional<int> seat, const std::string& total) {
    if (!seat || !parseInt(total)) return false;
    if (isSeat(*seat)) m_state.board.cell(*seat, 8).text = total;
    return true;
}

// Writes the score into the category's row; false when either is not a number.
bool TableClient::postCategory(int seat, std::optional<int> cat, const std::string& score) {
    if (!parseInt(score) || !cat) return false;
    if (isSeat(seat) && isCategory(*cat)) m_state.board.cell(seat, *cat).text = score;
    return true;
}

void TableClient::bramble(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    std::string total = str(r.next());
    std::string score = str(r.next());
    auto rolls = r.nextInt();

    m_state.stopAnimation();
    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, 7, score)) return;
    if (!rolls) return;
    m_state.board.setRollsUsed(*rolls);
    if (!drawRolledDice(m_state.board, r, DieBody::Plain)) return;
    if (*seat == m_state.myslot) {
        m_state.board.status = kYouBramble;
        m_state.port.addtomineincrease(5);
    } else {
        m_state.board.status = m_state.seatName(*seat) + kGotBramble;
    }
    m_state.port.playsounds("bramble");
}

void TableClient::postscore(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    std::string total = str(r.next());
    std::string score = str(r.next());
    auto cat = r.nextInt();

    m_state.stopAnimation();
    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, cat, score)) return;
    m_state.port.playsounds(*parseInt(score) > 0 ? "gotpoints" : "nopoints");
}

void TableClient::bonustime(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    std::string total = str(r.next());
    std::string score = str(r.next());
    auto cat = r.nextInt();

    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, cat, score)) return;
    if (*seat == m_state.myslot) {
        m_state.board.status = kYouEnterBonus;
        m_state.port.addtomineincrease(4);
    } else {
        m_state.board.status = m_state.seatName(*seat) + kEntersBonus;
    }
    m_state.port.playsounds("enterbonus");
}

void TableClient::gotbonus(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    std::string total = str(r.next());
    std::string gain = str(r.next());
    auto cat = r.nextInt();
    std::string newScore = str(r.next());

    m_state.stopAnimation();
    if (!postTotal(seat, total)) return;
    if (!postCategory(*seat, cat, newScore)) return;
    if (!parseInt(gain)) return;
    if (*seat == m_state.myslot)
        m_state.board.status = std::string("You") + kRecieved + gain + kBonusPoints;
    else
        m_state.board.status = m_state.seatName(*seat) + kRecieved + gain + kBonusPoints;
    const bool complete = forEachDiePair(r, [&](int die, int face) {
        DieState& d = m_state.board.die(die);
        d.face = face;
        d.held = false;
        const bool onBonusFace = face == *cat;
        d.top = onBonusFace ? kDieRaisedTop : kDieRestTop;
        d.bonusMark = onBonusFace;
        m_state.board.drawDie(die, DieBody::Bonus);
    });
    if (!complete) return;
    m_state.port.playsounds("gotbonus");
}

void TableClient::bonusend(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();

    m_state.stopAnimation();
    if (!seat) return;
    if (*seat == m_state.myslot)
        m_state.board.status = kYouExitBonus;
    else
        m_state.board.status = m_state.seatName(*seat) + kExitsBonus;
    // 0, 0: the limit ended it; the dice and their marks stay as they were.
    const bool complete = forEachDiePair(r, [&](int die, int face) {
        DieState& d = m_state.board.die(die);
        d.face = face;
        d.held = false;
        d.top = kDieRestTop;
        d.bonusMark = false;
        m_state.board.drawDie(die, DieBody::Bonus);
    });
    if (!complete) return;
    m_state.port.playsounds("exitbonus");
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
        const bool me = seat == m_state.myslot;
        iWon = iWon || me;
        if (i == 0)
            text = m_state.seatName(seat);
        else
            text += me ? std::string(" and You") : " and " + m_state.seatName(seat);
        m_state.board.seat(seat).winnerMark = true;
    }
    // Nobody listed would record an unnamed winner in the tally.
    if (!complete || winners.empty()) return;
    m_state.port.playsounds("winner");

    // Decided by seat, not by comparing names: a namesake who wins alone is not us.
    std::string label;
    if (m_state.iAmSeated() && iWon && winners.size() == 1)
        label = kYouWon;
    else
        label = text + (winners.size() > 1 ? kHaveWon : kHasWon);
    m_state.board.winner1 = label;
    m_state.board.winner2 = label;
    m_state.board.status = kGameOver;
    m_state.chatLine("0+" + label);
    m_state.board.winnerPanelVisible = true;
    if (m_state.hosting) m_state.board.startVisible = true;

    m_state.board.scoreturnVisible = false;
    for (int n = 1; n <= kCategories; ++n) {
        CategoryState& c = m_state.board.category(n);
        c.barVisible = false;
        c.buttonVisible = false;
        c.markVisible = false;
    }
    for (int s = 1; s <= kSeats; ++s)
        for (int row = 1; row <= kRows; ++row) {
            m_state.board.cell(s, row).grey = false;
            m_state.board.cell(s, row).bold = false;
        }

    if (!m_state.iAmSeated()) return;
    if (iWon)
        m_state.port.addgame("addtomine");
    else if (text.find(" and ") == std::string::npos)
        m_state.port.addgame(text);
    const std::string mine = m_state.board.cell(m_state.myslot, 8).text;
    auto myTotal = parseInt(mine);
    auto best = parseInt(m_state.port.mylabel3());
    if (myTotal && best && *myTotal > *best) m_state.port.addtomineset(3, mine);
}

// ---------------------------------------------------------------------------------------
// Late joiner

void TableClient::loadstats(std::string_view payload) {
    FieldReader r(payload);
    auto slot = r.nextInt();
    if (!slot || *slot != m_state.myslot) return;
    auto seat = r.nextInt();
    std::string limit = str(r.next());
    auto rolls = r.nextInt();
    std::string round = str(r.next());
    auto working = r.nextInt(); // used only after the dice are drawn

    if (!seat) return;
    m_state.turnseat = *seat;
    if (!parseInt(limit)) return;
    m_state.board.limitLabel = BoardModel::limitText(limit);
    if (!rolls) return;
    m_state.board.setRollsUsed(*rolls);
    if (!parseInt(round)) return;
    m_state.board.roundText = "Round: " + round;
    showTurnColumn(*seat, false);
    const bool complete = forEachDiePair(r, [&](int die, int face) {
        DieState& d = m_state.board.die(die);
        d.top = kDieRestTop;
        d.face = face == 0 ? 1 : face; // not rolled yet this turn: shown as ones
        d.held = false;
        m_state.board.drawDie(die, DieBody::Plain);
    });
    if (!complete) return;
    // The message does not say which categories are still open, so all are offered; the
    // host refuses the ones already scored.
    for (int n = 1; n <= kCategories; ++n)
        offerCategory(n);
    if (!working) return;
    if (isCategory(*working)) {
        CategoryState& c = m_state.board.category(*working);
        c.selectable = false;
        c.buttonVisible = true;
        c.barVisible = true;
    }
    announceTurn(*seat);
}

void TableClient::loadscores(std::string_view payload) {
    FieldReader r(payload);
    auto slot = r.nextInt();
    if (!slot || *slot != m_state.myslot) return;
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
            m_state.board.cell(*seat, *row).text = *value > 0 ? parts[i + 1] : std::string();
        }
        if (flag == "f" && *seat >= 3 && *seat <= kSeats) {
            m_state.board.seat(*seat).notPlaying = true;
            if (*seat == m_state.myslot) m_state.chatLine(kMustWait);
        }
    }
}

} // namespace core
