#include "client/dicecheck.h"

#include "host/rules.h"
#include "net/fields.h"

namespace core {

namespace {

// The numeric fields of a payload; a closing "+" is allowed, anything else not a number is not.
std::optional<std::vector<int>> numbers(std::string_view payload) {
    std::vector<int> out;
    FieldReader fields(payload);
    while (!fields.atEnd()) {
        std::string_view field = fields.next();
        if (field.empty() && fields.atEnd()) break;
        auto v = parseInt(field);
        if (!v) return std::nullopt;
        out.push_back(*v);
    }
    return out;
}

// Die and face pairs from field `from` on; an odd count or a die outside 1..5 gives none.
std::vector<msg::DieFace> pairsFrom(const std::vector<int>& f, std::size_t from) {
    std::vector<msg::DieFace> out;
    if (f.size() < from || (f.size() - from) % 2 != 0) return out;
    for (std::size_t i = from; i < f.size(); i += 2) {
        if (f[i] < 1 || f[i] > kDiceCount) return {};
        out.push_back({f[i], f[i + 1]});
    }
    return out;
}

} // namespace

DiceCheck::DiceCheck(Entropy entropy)
    : m_entropy(entropy ? std::move(entropy) : Entropy(seal::fillRandom)) {}

std::optional<std::string> DiceCheck::sealcommit(std::string_view payload) {
    auto commit = msg::parseSealcommit(payload);
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
    return msg::toHost::sealpart(m_game, part);
}

std::optional<DiceCheck::Line> DiceCheck::sealmix(std::string_view payload, int myslot) {
    auto mix = msg::parseSealmix(payload);
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
        roll.draws.push_back({p.die, fresh ? 0 : face, p.face});
        face = p.face;
    }
    if (m_sealed && !roll.draws.empty()) m_rolls.push_back(std::move(roll));
}

void DiceCheck::observe(std::string_view command, std::string_view payload) {
    if (command == msg::cmd::startgame || command == msg::cmd::nextplayer) {
        m_dice.fill(0);
        return;
    }
    const bool createdice = command == msg::cmd::createdice;
    const bool loadstats = command == msg::cmd::loadstats;
    // Fields before the five pairs of the messages that carry all five dice.
    std::size_t lead = 0;
    if (command == msg::cmd::bramble)
        lead = 4;
    else if (command == msg::cmd::gotbonus)
        lead = 5;
    else if (command == msg::cmd::bonusend)
        lead = 1;
    else if (loadstats)
        lead = 6;
    else if (!createdice)
        return;
    auto f = numbers(payload);
    if (!f || f->size() < 2) return;
    const int seat = (*f)[0];
    if (createdice) {
        // The first roll of a turn rolls all five afresh; later ones re-roll the named dice.
        record(seat, (*f)[1] == 1, pairsFrom(*f, 2));
        return;
    }
    auto pairs = pairsFrom(*f, lead);
    if (pairs.size() != static_cast<std::size_t>(kDiceCount)) return; // "0+0": no roll
    if (loadstats) {
        for (const auto& p : pairs)
            m_dice[static_cast<std::size_t>(p.die)] = p.face;
        return;
    }
    record(seat, true, pairs);
}

std::optional<DiceCheck::Line> DiceCheck::sealreveal(std::string_view payload, int myslot) {
    auto reveal = msg::parseSealreveal(payload);
    if (!m_sealed || !reveal || reveal->game != m_game) return std::nullopt;
    m_sealed = false;
    Line line = verdict(reveal->secret, myslot);
    m_rolls.clear();
    if (!line.failed && line.text.empty()) return std::nullopt;
    return line;
}

DiceCheck::Line DiceCheck::verdict(const seal::Secret& secret, int myslot) const {
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
                            std::to_string(roll.seat) + "'s die " +
                            std::to_string(d.die) + " showed " +
                            std::to_string(d.shown) + ", the seed gives " +
                            std::to_string(sealed) + ".",
                        true};
        }
    }
    return {"Dice check: all " + std::to_string(m_rolls.size()) +
                " rolls of this game came from the sealed seed.",
            false};
}

} // namespace core
