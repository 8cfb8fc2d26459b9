// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The turn engine with sealed dice: every game's faces come from a seed nobody can steer, and
// every table can check them once the game is over. The engine and its rules are untouched;
// this wraps it and tells the tables about the seal around what the engine does:
//
//   game start       "CMD_sealcommit" to all, after the engine's own start messages (no die
//                    has been rolled yet); a new start during a game reveals that game first
//   "CMD_sealpart"   a table's part, kept until the first face of the game is drawn
//   first roll       "CMD_sealmix" to all: the parts that went into the seed
//   game over        "CMD_sealreveal" to all, right after "CMD_winner" (or, when the host
//                    shuts down during a game, right after its shutdown line)
//   late login       "CMD_sealcommit" (with the stream's position) and, if sent, the mix
//
// Old copies ignore all four; a table that never answers just adds nothing to the seed.
// Where the hash library cannot be loaded, games are plain: none of the four is sent.

#include "host/hoststate.h"
#include "host/sealeddice.h"
#include "host/turnengine.h"
#include "host/turnhandler.h"

#include <memory>
#include <string>

namespace core {

class SealedTurns : public TurnHandler {
public:
    explicit SealedTurns(HostState& state, SealedDice::Entropy entropy = {});

    void startgame(const msg::toHost::Startgame& request) override;
    void rollthedice(const msg::toHost::Rollthedice& request) override;
    void selectcat(const msg::toHost::Selectcat& request) override;
    void timer1Timer() override;
    void seatVacated(int slot) override;
    void justWatchStarted(int seat) override;
    void loggedIn(int slot) override;
    void seatsChanged() override;
    void sealpart(int slot, const msg::toHost::Sealpart& part) override;
    void shuttingDown() override;

    TurnEngine& engine() { return m_engine; }
    const SealedDice& dice() const { return m_dice; }

private:
    // After every step of the engine: the mix once the seed is fixed, the reveal at the end.
    void settle();
    void reveal();
    std::string commitMessage() const;
    std::string mixMessage() const;

    HostState& m_state;
    SealedDice m_dice; // before the engine, which keeps a reference to it
    TurnEngine m_engine;
    int m_game = 0;
    bool m_open = false;  // a sealed game whose secret is not yet revealed
    bool m_mixed = false; // its mix has been announced
};

// The program's turn engine: sealed dice from the system's random source.
std::unique_ptr<TurnHandler> makeSealedTurnEngine(HostState& state);

} // namespace core
