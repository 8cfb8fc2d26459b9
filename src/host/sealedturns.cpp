// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/sealedturns.h"

#include "net/messages.h"

#include <vector>

namespace core {

SealedTurns::SealedTurns(HostState& state, SealedDice::Entropy entropy)
    : m_state(state), m_dice(std::move(entropy)), m_engine(state, m_dice) {}

std::string SealedTurns::commitMessage() const {
    return msg::toClient::Sealcommit::build(m_game, m_dice.commitment(), m_dice.position());
}

std::string SealedTurns::mixMessage() const {
    std::vector<msg::SealPart> parts;
    for (const auto& p : m_dice.parts())
        parts.push_back({p.slot, p.bytes});
    return msg::toClient::Sealmix::build(m_game, parts);
}

void SealedTurns::reveal() {
    m_state.broadcast(msg::toClient::Sealreveal::build(m_game, m_dice.secret()));
    m_open = false;
}

void SealedTurns::settle() {
    if (!m_open) return;
    if (m_dice.fixed() && !m_mixed) {
        m_mixed = true;
        m_state.broadcast(mixMessage());
    }
    if (!m_state.turn.gamerunning) reveal();
}

void SealedTurns::shuttingDown() {
    if (m_open) reveal(); // the game ends with the host: let every table check what it saw
}

void SealedTurns::startgame(const msg::toHost::Startgame& request) {
    if (m_open) reveal(); // the running game is abandoned
    if (!seal::hashingAvailable()) {
        // No seal can be made without the hash library: a plain game, as old copies host it.
        m_engine.startgame(request);
        return;
    }
    m_dice.seal(++m_game);
    m_open = true;
    m_mixed = false;
    m_engine.startgame(request);
    m_state.broadcast(commitMessage());
}

void SealedTurns::rollthedice(const msg::toHost::Rollthedice& request) {
    m_engine.rollthedice(request);
    settle();
}

void SealedTurns::selectcat(const msg::toHost::Selectcat& request) {
    m_engine.selectcat(request);
    settle();
}

void SealedTurns::timer1Timer() {
    m_engine.timer1Timer();
    settle();
}

void SealedTurns::seatVacated(int slot) {
    m_engine.seatVacated(slot);
    settle();
}

void SealedTurns::justWatchStarted(int seat) {
    m_engine.justWatchStarted(seat);
    settle();
}

void SealedTurns::seatsChanged() {
    m_engine.seatsChanged(); // arms at most; draws nothing
}

void SealedTurns::loggedIn(int slot) {
    if (!m_open) return;
    m_state.sendTo(slot, commitMessage());
    if (m_mixed) m_state.sendTo(slot, mixMessage());
}

void SealedTurns::sealpart(int slot, const msg::toHost::Sealpart& part) {
    if (!m_open || part.game != m_game) return;
    m_dice.contribute(slot, part.part);
}

std::unique_ptr<TurnHandler> makeSealedTurnEngine(HostState& state) {
    return std::make_unique<SealedTurns>(state);
}

} // namespace core
