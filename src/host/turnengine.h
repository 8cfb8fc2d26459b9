// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The turn engine: runs a game on the host's state. It starts a game, hands the turn from seat
// to seat over seven rounds, carries out roll and category requests, scores each turn, runs
// bonus mode, drives the computer-played seats and announces the winner. Every change goes out
// as a broadcast; the requester learns the outcome like everybody else.
//
// Game:  idle -> running (startgame) -> over (winner announced) -> running (next start).
// Turn:  begun (turnactive, 0 rolls) -> 1 -> 2 -> 3 rolls -> scored -> [bonus mode] -> next.
//        A straight on the first roll jumps from begun to scored.
//
// Timing goes through one countdown (`timer1`): the port ticks it, and on the countdown-th tick
// after arming the pending action runs: the next turn, a bonus roll or a computer move.
// Arming again replaces whatever was pending. A present human's turn has no time limit.

#include "game/randomsource.h"
#include "host/hoststate.h"
#include "host/turnhandler.h"

#include <cstdint>
#include <memory>
#include <span>

namespace core {

class TurnEngine : public TurnHandler {
public:
    enum class Action { None = 0, NextTurn = 1, BonusRoll = 2, ComputerMove = 3 };

    // The pause after a scored turn or a finished bonus runs at this fixed interval; the
    // other actions at the bot speed.
    static constexpr int kPauseIntervalMs = 750;

    // Host notices.
    static constexpr const char* kNoticeTooManyRolls = "too many rolls";
    static constexpr const char* kNoticeNeedsCategory = "error - player needs category";
    static constexpr const char* kNoticeWorkingSelected = "working selected";
    static constexpr const char* kNoticeAlreadySelected = "arleady selected";

    TurnEngine(HostState& state, RandomSource& random);

    // TurnHandler: requests and events handed on by the seat logic.
    void startgame(const msg::toHost::Startgame& request) override;
    void rollthedice(const msg::toHost::Rollthedice& request) override;
    void selectcat(const msg::toHost::Selectcat& request) override;
    void timer1Timer() override;
    void seatVacated(int slot) override;
    void justWatchStarted(int seat) override;
    void seatsChanged() override;

    // Begins the next turn, or ends the game after the last round.
    void findplayer();
    // One bonus roll for `seat` (always the current seat).
    void bonusrolls(int seat);
    // Announces the winner and ends the game.
    void checkforwin();
    // One computer move for `seat`; does nothing while a present human plays it.
    void computerplay(int seat);

    // The pending countdown, for diagnostics and tests.
    Action pendingAction() const { return m_action; }
    int countdown() const { return m_countdown; }

private:
    void arm(int countdown, Action action, int intervalMs);
    void disarm();
    void armComputerMove(int countdown);
    void armPause();
    void scoreTurn(int seat);
    // The checked request's work, shared by a client's request and a computer move. named:
    // the dice to roll again, 0 standing for none.
    void roll(int seat, std::span<const int> named);
    void choose(int seat, int category);

    HostState& m_state;
    RandomSource& m_random;
    Action m_action = Action::None;
    int m_countdown = 0;
    ComputerStyle m_style = ComputerStyle::Classic; // taken when a computer move is armed
};

// The program's turn engine: owns its dice, seeded with `seed`.
std::unique_ptr<TurnHandler> makeTurnEngine(HostState& state, std::uint64_t seed);

// A seed that differs on every start (the clock mixed with the system's entropy source).
std::uint64_t startupSeed();

} // namespace core
