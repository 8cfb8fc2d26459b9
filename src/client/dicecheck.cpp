// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/dicecheck.h"

#include "game/rules.h"

namespace core {

namespace {

// The dice of a message read whole: every fixed field a number, every pair complete and every
// die one of the five. A message with less in it shows no roll to check (null).
template <typename... Field>
const std::vector<msg::DieFace>* soundDice(const msg::DiceTail& in, const Field&... fields) {
    if (!(fields.has_value() && ...) || !in.complete) return nullptr;
    for (const auto& p : in.dice)
        if (p.die < 1 || p.die > kDiceCount) return nullptr;
    return &in.dice;
}

} // namespace

DiceCheck::DiceCheck(Entropy entropy)
    : m_entropy(entropy ? std::move(entropy) : Entropy(seal::fillRandom)) {}

std::optional<std::string> DiceCheck::sealcommit(const fromHost::Sealcommit& event) {
    const auto& commit = event.fields;
    if (!commit) return std::nullopt;
    m_sealed = true;
    m_game = commit->game;
    m_commitment = commit->commitment;
    m_start = commit->position;
    m_mix.reset();
    m_rolls.clear();
    m_myPart.reset();
    // Past position 0 the seed is fixed already: a part would come too late.
    if (m_start != 0) return std::nullopt;
    seal::PartBytes part{};
    m_entropy(part);
    m_myPart = part;
    return msg::toHost::Sealpart::build(m_game, part);
}

std::optional<DiceCheck::Line> DiceCheck::sealmix(const fromHost::Sealmix& event, int myslot) {
    const auto& mix = event.fields;
    if (!m_sealed || !mix || mix->game != m_game || m_mix) return std::nullopt;
    std::vector<seal::Part> parts;
    bool mine = false;
    for (const auto& p : mix->parts) {
        parts.push_back({p.slot, p.bytes});
        mine = mine || p.slot == myslot;
    }
    m_mix = std::move(parts);
    if (m_myPart && !mine)
        return Line{"Dice check: this table's part of the seed reached the host after the first "
                    "roll and was not mixed in.",
                    false};
    return std::nullopt;
}

void DiceCheck::record(int seat, bool fresh, const std::vector<msg::DieFace>& pairs) {
    Roll roll{seat, {}};
    for (const auto& p : pairs) {
        auto& face = m_dice[static_cast<std::size_t>(p.die)];
        // Without a seal only the faces are kept.
        if (m_sealed) roll.draws.push_back({p.die, fresh ? 0 : face, p.face});
        face = p.face;
    }
    if (m_sealed && !roll.draws.empty()) m_rolls.push_back(std::move(roll));
}

void DiceCheck::startgame(const fromHost::Startgame&) {
    m_dice.fill(0);
}

void DiceCheck::nextplayer(const fromHost::Nextplayer&) {
    m_dice.fill(0);
}

void DiceCheck::createdice(const fromHost::Createdice& in) {
    // The first roll of a turn rolls all five afresh; later ones re-roll the named dice.
    if (auto pairs = soundDice(in, in.seat, in.rolls)) record(*in.seat, *in.rolls == 1, *pairs);
}

// The messages that carry all five dice: a turn's dice shown whole, or "0+0" for none.
void DiceCheck::recordAllFive(const msg::OptInt& seat, const std::vector<msg::DieFace>* pairs) {
    if (!pairs || pairs->size() != static_cast<std::size_t>(kDiceCount)) return;
    record(*seat, true, *pairs);
}

void DiceCheck::bramble(const fromHost::Bramble& in) {
    recordAllFive(in.seat, soundDice(in, in.seat, in.total, in.score, in.rolls));
}

void DiceCheck::gotbonus(const fromHost::Gotbonus& in) {
    recordAllFive(in.seat,
                  soundDice(in, in.seat, in.total, in.gain, in.category, in.categoryScore));
}

void DiceCheck::bonusend(const fromHost::Bonusend& in) {
    recordAllFive(in.seat, soundDice(in, in.seat));
}

void DiceCheck::loadstats(const fromHost::Loadstats& in) {
    if (auto dice = soundDice(in, in.slot, in.seat, in.limit, in.rolls, in.round, in.workingcat);
        dice && dice->size() == static_cast<std::size_t>(kDiceCount))
        for (const auto& p : *dice)
            m_dice[static_cast<std::size_t>(p.die)] = p.face;
}

std::optional<DiceCheck::Line> DiceCheck::sealreveal(const fromHost::Sealreveal& event,
                                                     int myslot) {
    const auto& reveal = event.fields;
    if (!m_sealed || !reveal || reveal->game != m_game) return std::nullopt;
    m_sealed = false;
    Line line = verdict(reveal->secret, myslot);
    m_rolls.clear();
    if (!line.failed && line.text.empty()) return std::nullopt;
    return line;
}

DiceCheck::Line DiceCheck::verdict(const seal::Secret& secret, int myslot) const {
    if (!seal::hashingAvailable())
        return {"Dice check: this computer lacks the library that checks the seal (libcrypto), so "
                "the dice of this game cannot be checked.",
                true};
    if (seal::commitment(secret, m_game) != m_commitment)
        return {"Dice check: the secret the host revealed does not match the seal it showed "
                "before the game, so these dice cannot be trusted.",
                true};
    if (m_rolls.empty()) return {};
    if (!m_mix)
        return {"Dice check: the host never said which parts went into the seed, so the dice "
                "of this game cannot be checked.",
                true};
    for (const auto& p : *m_mix)
        if (p.slot == myslot && m_myPart && p.bytes != *m_myPart)
            return {"Dice check: the host changed this table's part of the seed, so these "
                    "dice cannot be trusted.",
                    true};

    seal::FaceStream stream(seal::deriveSeed(secret, m_game, *m_mix), m_start);
    int number = 0;
    for (const auto& roll : m_rolls) {
        ++number;
        for (const auto& d : roll.draws) {
            // A fresh die has no face before (0), which no draw can repeat.
            const int sealed = rerollFace(d.before, stream);
            if (sealed != d.shown)
                return {"Dice check: roll " + std::to_string(number) +
                            " of this game does not come from the sealed seed: seat " +
                            std::to_string(roll.seat) + "'s die " + std::to_string(d.die) +
                            " showed " + std::to_string(d.shown) + ", the seed gives " +
                            std::to_string(sealed) + ".",
                        true};
        }
    }
    return {"Dice check: all " + std::to_string(m_rolls.size()) +
                " rolls of this game came from the sealed seed.",
            false};
}

} // namespace core
