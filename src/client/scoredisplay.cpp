#include "client/scoredisplay.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"
#include "net/fields.h"

namespace core {

namespace {

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

} // namespace

// Writes row 8 (the total) of the seat; false when the seat or the total is not a number.
bool ScoreDisplay::postTotal(std::optional<int> seat, const std::string& total) {
    if (!seat || !parseInt(total)) return false;
    if (isSeat(*seat)) m_state.board.cell(*seat, 8).text = total;
    return true;
}

// Writes the score into the category's row; false when either is not a number.
bool ScoreDisplay::postCategory(int seat, std::optional<int> cat, const std::string& score) {
    if (!parseInt(score) || !cat) return false;
    if (isSeat(seat) && isCategory(*cat)) m_state.board.cell(seat, *cat).text = score;
    return true;
}

void ScoreDisplay::bramble(std::string_view payload) {
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

void ScoreDisplay::postscore(std::string_view payload) {
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

void ScoreDisplay::bonustime(std::string_view payload) {
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

void ScoreDisplay::gotbonus(std::string_view payload) {
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

void ScoreDisplay::bonusend(std::string_view payload) {
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

void ScoreDisplay::winner(std::string_view payload) {
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
    m_state.port.recordGame(iWon, text, m_state.board.cell(m_state.myslot, 8).text);
}

} // namespace core
