// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/turnengine.h"

#include "game/rules.h"
#include "host/computerseat.h"
#include "net/messages.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace core {

TurnEngine::TurnEngine(HostState& state, RandomSource& random) : m_state(state), m_random(random) {}

// --- countdown --------------------------------------------------------------------------------

void TurnEngine::arm(int countdown, Action action, int intervalMs) {
    m_countdown = countdown;
    m_action = action;
    m_state.port().armCountdown(intervalMs);
}

void TurnEngine::disarm() {
    m_action = Action::None;
    m_countdown = 0;
    m_state.port().stopCountdown();
}

void TurnEngine::armComputerMove(int countdown) {
    m_style = m_state.port().computerStyle();
    arm(countdown, Action::ComputerMove, m_state.port().botSpeedMs());
}

void TurnEngine::armPause() {
    arm(5, Action::NextTurn, kPauseIntervalMs);
}

void TurnEngine::timer1Timer() {
    if (m_action == Action::None) return; // a tick that was already on its way when we stopped
    if (--m_countdown >= 1) return;
    Action action = m_action;
    disarm();
    switch (action) {
    case Action::NextTurn:
        findplayer();
        break;
    case Action::BonusRoll:
        bonusrolls(m_state.turn.currentseat);
        break;
    case Action::ComputerMove:
        computerplay(m_state.turn.currentseat);
        break;
    case Action::None:
        break;
    }
}

// --- game start and turn order --------------------------------------------------------------

void TurnEngine::startgame(const msg::toHost::Startgame& request) {
    disarm();
    TurnState& turn = m_state.turn;
    turn.gamerunning = true;

    const std::string& name = request.name;
    // Anything but a sensible number means no limit.
    turn.bonuslimit = std::max(0, request.bonusLimit.value_or(0));
    m_state.broadcast(msg::toClient::Startgame::build(name, turn.bonuslimit));

    for (int seat = 1; seat <= kSeatCount; ++seat) {
        PlayerSlot& s = m_state.slot(seat);
        s.turnactive = false;
        s.justwatch = false;
        s.total = 0;
        s.scores.fill(-1);
        s.rolls = 0;
        s.workingcat = 0;
        s.ingame = s.connected;
        s.computerfinishes = false;
    }
    // Seats 1 and 2 are in every game; the computer plays whichever of them nobody sits in.
    // Rounds are counted on seat 1's turns, so a game without seat 1 would never end.
    m_state.slot(1).ingame = true;
    m_state.slot(2).ingame = true;

    turn.round = 0;
    turn.currentseat = 0;
    turn.bonusrollsused = 0;
    turn.dice.fill(0);
    int seats = 0;
    for (int seat = 1; seat <= kSeatCount; ++seat)
        seats += m_state.slot(seat).ingame ? 1 : 0;
    m_state.tell([&](HostEvents& w) { w.gameStarted(name, seats); });
    findplayer();
}

void TurnEngine::findplayer() {
    // Whatever was pending belonged to the previous turn, and so did the computer's hand on a
    // seat whose player came back during it.
    disarm();
    TurnState& turn = m_state.turn;
    for (int n = 1; n <= kSeatCount; ++n)
        m_state.slot(n).computerfinishes = false;
    int seat = turn.currentseat;
    bool found = false;
    for (int step = 0; step < kSeatCount && !found; ++step) {
        seat = seat % kSeatCount + 1;
        found = m_state.slot(seat).ingame;
    }
    if (!found) { // cannot happen while seats 1 and 2 are always in; end rather than spin
        checkforwin();
        return;
    }
    turn.currentseat = seat;
    if (seat == 1) ++turn.round;
    if (turn.round > kRounds) {
        checkforwin();
        return;
    }

    PlayerSlot& s = m_state.slot(seat);
    turn.dice.fill(0);
    s.workingcat = 0;
    s.rolls = 0;
    s.turnactive = true;
    m_state.broadcast(
        msg::toClient::Nextplayer::build(seat, turn.round, openCategories(s.scores, turn.round)));
    m_state.tell([&](HostEvents& w) { w.turnBegun(seat, turn.round); });

    if (m_state.isComputerPlayed(seat)) armComputerMove(3);
}

void TurnEngine::checkforwin() {
    SeatTotals totals{};
    for (int seat = 1; seat <= kSeatCount; ++seat)
        totals[static_cast<std::size_t>(seat)] = m_state.slot(seat).total;
    const std::vector<int> best = winners(totals);
    m_state.broadcast(msg::toClient::Winner::build(best));
    m_state.turn.gamerunning = false;
    std::vector<Winner> named;
    named.reserve(best.size());
    for (int seat : best)
        named.push_back({seat, m_state.slot(seat).name});
    m_state.tell([&](HostEvents& w) { w.gameFinished(named); });
}

// --- requests ---------------------------------------------------------------------------------

void TurnEngine::rollthedice(const msg::toHost::Rollthedice& request) {
    const int seat = request.seat;
    if (seat != m_state.turn.currentseat || !HostState::validSeat(seat)) return;
    if (request.dice.empty() || !m_state.slot(seat).turnactive) return;
    // Every die number must be 0..5 before anything counts: a bad one would roll outside the
    // dice, so the whole request is dropped.
    for (int d : request.dice)
        if (d < 0 || d > kDiceCount) return;
    roll(seat, request.dice);
}

void TurnEngine::roll(int seat, std::span<const int> named) {
    TurnState& turn = m_state.turn;
    PlayerSlot& s = m_state.slot(seat);
    if (s.rolls >= 3) {
        m_state.port().notice(kNoticeTooManyRolls);
        return;
    }
    if (s.rolls == 2 && s.workingcat == 0) {
        if (s.connected)
            m_state.sendTo(seat, msg::toClient::Needcat::build(seat));
        else
            m_state.port().notice(kNoticeNeedsCategory);
        return;
    }

    std::array<msg::DieFace, kDiceCount> rolledFaces{};
    std::size_t rolledCount = 0;
    // A request may name a die more than once; each naming rolls it again, and each is told.
    std::vector<msg::DieFace> many;
    auto told = [&](msg::DieFace face) {
        if (rolledCount < rolledFaces.size() && many.empty())
            rolledFaces[rolledCount++] = face;
        else {
            if (many.empty()) many.assign(rolledFaces.begin(), rolledFaces.end());
            many.push_back(face);
        }
    };
    if (s.rolls == 0) {
        AutoCategory autoCat = autoWorkingCategory(s.scores);
        if (autoCat.error) m_state.port().notice(kNoticeAutoCat7);
        if (autoCat.category != 0) {
            s.workingcat = autoCat.category;
            m_state.broadcast(msg::toClient::Selectedcat::build(seat, s.workingcat));
        }
        rollAll(turn.dice, m_random);
        if (isOpen(s.scores, kBrambleCategory) && isStraight(turn.dice)) {
            int score = firstRollBrambleScore(turn.dice);
            s.total += score;
            s.scores[kBrambleCategory] = score;
            s.rolls = 3;
            m_state.broadcast(msg::toClient::Bramble::build(seat, s.total, score, turn.dice));
            s.turnactive = false;
            armPause();
            return;
        }
        for (int d = 1; d <= kDiceCount; ++d)
            told({d, turn.dice[static_cast<std::size_t>(d)]});
    } else {
        for (int d : named) {
            if (d == 0) continue;
            auto& face = turn.dice[static_cast<std::size_t>(d)];
            face = rerollFace(face, m_random);
            told({d, face});
        }
    }
    ++s.rolls;
    const std::span<const msg::DieFace> rolled =
        many.empty() ? std::span<const msg::DieFace>(rolledFaces.data(), rolledCount)
                     : std::span<const msg::DieFace>(many);
    m_state.broadcast(msg::toClient::Createdice::build(seat, s.rolls, rolled));

    if (s.rolls < 3) {
        if (m_state.isComputerPlayed(seat)) armComputerMove(1);
        return;
    }
    scoreTurn(seat);
}

void TurnEngine::scoreTurn(int seat) {
    TurnState& turn = m_state.turn;
    PlayerSlot& s = m_state.slot(seat);
    const int c = s.workingcat;
    if (c < 1 || c > kCategoryCount) { // not reached: a third roll needs a category
        s.turnactive = false;
        armPause();
        return;
    }
    int score = c == kBrambleCategory ? finalBrambleScore(turn.dice) : faceScore(turn.dice, c);
    s.total += score;
    s.scores[static_cast<std::size_t>(c)] = score;
    s.turnactive = false;
    if (c != kBrambleCategory && isBonus(c, turn.dice)) {
        turn.bonusrollsused = 0;
        m_state.broadcast(msg::toClient::Bonustime::build(seat, s.total, score, c));
        arm(3, Action::BonusRoll, m_state.port().botSpeedMs());
        return;
    }
    m_state.broadcast(msg::toClient::Postscores::build(seat, s.total, score, c));
    armPause();
}

void TurnEngine::selectcat(const msg::toHost::Selectcat& request) {
    if (request.seat != m_state.turn.currentseat || !HostState::validSeat(request.seat)) return;
    choose(request.seat, request.category);
}

void TurnEngine::choose(int seat, int category) {
    PlayerSlot& s = m_state.slot(seat);
    // A category outside the sheet would be written outside it: drop the request.
    if (category < 1 || category > kCategoryCount) return;

    if (s.workingcat != 0) {
        m_state.port().notice(kNoticeWorkingSelected);
        return;
    }
    if (s.score(category) != -1) {
        m_state.port().notice(kNoticeAlreadySelected);
        return;
    }
    // Only during the seat's own turn: once it is scored (a first-roll Bramble leaves no
    // working category) a choice would still set one and could re-arm the countdown over the
    // pending next turn, and the game would stop.
    if (!s.turnactive) return;
    s.workingcat = category;
    m_state.broadcast(msg::toClient::Selectedcat::build(seat, s.workingcat));
    if (m_state.isComputerPlayed(seat)) armComputerMove(1);
}

// --- bonus mode and the computer player -----------------------------------------------------

void TurnEngine::bonusrolls(int seat) {
    if (!HostState::validSeat(seat)) return;
    TurnState& turn = m_state.turn;
    PlayerSlot& s = m_state.slot(seat);
    const int c = s.workingcat;
    if (turn.bonuslimit != 0 && turn.bonusrollsused == turn.bonuslimit) {
        m_state.broadcast(msg::toClient::Bonusend::buildByLimit(seat));
        armPause();
        return;
    }
    ++turn.bonusrollsused;
    rollAll(turn.dice, m_random);
    int gain = bonusGain(c, turn.dice);
    if (gain == 0) {
        m_state.broadcast(msg::toClient::Bonusend::build(seat, turn.dice));
        armPause();
        return;
    }
    s.total += gain;
    s.scores[static_cast<std::size_t>(c)] += gain;
    m_state.broadcast(
        msg::toClient::Gotbonus::build(seat, s.total, gain, c, s.score(c), turn.dice));
    arm(2, Action::BonusRoll, m_state.port().botSpeedMs());
}

void TurnEngine::computerplay(int seat) {
    // The same checks and work as the requests the move stands for, without building them.
    const ComputerDecision move = m_style == ComputerStyle::Expert
                                      ? expertDecision(m_state, seat)
                                      : computerDecision(m_state, seat);
    switch (move.kind) {
    case ComputerDecision::Kind::Roll:
        roll(seat, move.dice);
        break;
    case ComputerDecision::Kind::SelectCategory:
        choose(seat, move.category);
        break;
    case ComputerDecision::Kind::None:
        break;
    }
}

// --- seat changes -----------------------------------------------------------------------------

void TurnEngine::seatVacated(int slot) {
    const TurnState& turn = m_state.turn;
    if (!turn.gamerunning || !HostState::validSeat(slot) || slot != turn.currentseat) return;
    PlayerSlot& s = m_state.slot(slot);
    if (!s.turnactive) return;
    if (slot <= 2) {
        // Seats 1 and 2 are in every game: the computer finishes this turn and plays the
        // seat's later turns.
        armComputerMove(1);
        return;
    }
    s.ingame = false;
    s.turnactive = false;
    findplayer();
}

void TurnEngine::justWatchStarted(int seat) {
    const TurnState& turn = m_state.turn;
    if (!turn.gamerunning || !HostState::validSeat(seat) || seat != turn.currentseat) return;
    if (m_state.slot(seat).turnactive) armComputerMove(1);
}

void TurnEngine::seatsChanged() {
    // While a turn is active the only thing ever pending is a computer move: when the computer
    // now plays the seat and nothing is pending, nobody would move again. A pending move is left
    // as it is (it does nothing if a player has sat down meanwhile), so the timing of a game
    // without changes stays what it was.
    const TurnState& turn = m_state.turn;
    const int seat = turn.currentseat;
    if (!turn.gamerunning || !HostState::validSeat(seat) || !m_state.slot(seat).turnactive) return;
    if (m_action == Action::None && m_state.isComputerPlayed(seat)) armComputerMove(1);
}

} // namespace core

namespace core {

namespace {
// The dice must exist before the engine that holds a reference to them: base classes are
// built in the order they are listed.
struct OwnedDice {
    explicit OwnedDice(std::uint64_t seed) : dice(seed) {}
    SeededRandom dice;
};
struct OwnedTurnEngine : private OwnedDice, public TurnEngine {
    OwnedTurnEngine(HostState& state, std::uint64_t seed)
        : OwnedDice(seed), TurnEngine(state, OwnedDice::dice) {}
};
} // namespace

std::unique_ptr<TurnHandler> makeTurnEngine(HostState& state, std::uint64_t seed) {
    return std::make_unique<OwnedTurnEngine>(state, seed);
}

std::uint64_t startupSeed() {
    std::random_device device;
    auto clock = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    return clock ^ (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

} // namespace core
