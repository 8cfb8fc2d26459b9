#include "client/latejoin.h"

#include "client/clientport.h"
#include "client/tablefields.h"
#include "client/tablestate.h"
#include "client/turndisplay.h"
#include "net/fields.h"

namespace core {

namespace {

constexpr const char* kMustWait =
    "0+The game has started. You will have to wait until the next game to play.";

} // namespace

void LateJoin::loadstats(std::string_view payload) {
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
    m_turns.showTurnColumn(*seat, false);
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
        m_turns.offerCategory(n);
    if (!working) return;
    if (isCategory(*working)) {
        CategoryState& c = m_state.board.category(*working);
        c.selectable = false;
        c.buttonVisible = true;
        c.barVisible = true;
    }
    m_turns.announceTurn(*seat);
}

void LateJoin::loadscores(std::string_view payload) {
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
