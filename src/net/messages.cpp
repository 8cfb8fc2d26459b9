#include "net/messages.h"

#include "net/fields.h"
#include "net/hexfield.h"
#include "game/counts.h"
#include "net/protocol.h"

#include <charconv>

namespace core::msg {

namespace {

std::string n(int value) {
    return std::to_string(value);
}

// Command word and fields; with closing set, the message ends in one more "+".
class Builder {
public:
    explicit Builder(std::string_view command) {
        m_text.reserve(64); // room for every game message without growing
        m_text = command;
    }
    Builder& add(std::string_view field) {
        m_text += '+';
        m_text += field;
        return *this;
    }
    Builder& add(int value) {
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        return add(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    Builder& addFiveDice(const Faces& dice) {
        for (int die = 1; die <= 5; ++die)
            add(die).add(dice[static_cast<std::size_t>(die)]);
        return *this;
    }
    std::string done(bool closing = false) {
        if (closing) m_text += '+';
        return std::move(m_text);
    }

private:
    std::string m_text;
};

// Reads a payload field by field; once a numeric field fails every later read fails too.
class Reader {
public:
    explicit Reader(std::string_view payload) : m_fields(payload) {}
    int num() {
        if (!m_ok) return 0;
        auto v = m_fields.nextInt();
        if (!v) m_ok = false;
        return v.value_or(0);
    }
    std::string text() { return std::string(m_fields.next()); }
    std::string rest() const { return std::string(m_fields.rest()); }
    bool atEnd() const { return m_fields.atEnd(); }
    // True when only an optional closing "+" (an empty last field) is left.
    bool atClosing() const { return m_fields.atEnd() || m_fields.rest().empty(); }
    bool ok() const { return m_ok; }
    std::vector<DieFace> pairs(std::size_t count) {
        std::vector<DieFace> out;
        for (std::size_t i = 0; i < count && m_ok; ++i) {
            int die = num();
            int face = num();
            out.push_back({die, face});
        }
        return out;
    }

private:
    FieldReader m_fields;
    bool m_ok = true;
};

template <typename T> std::optional<T> okOr(const Reader& r, T value) {
    if (!r.ok()) return std::nullopt;
    return value;
}

} // namespace

// ---------------------------------------------------------------------------------------------

namespace toHost {
std::string logininfo(int slot, std::string_view version, std::string_view name) {
    return Builder(cmd::logininfo).add(slot).add(version).add(name).done();
}
std::string kickhim(int senderSlot, int targetSlot) {
    return Builder(cmd::kickhim).add(senderSlot).add(targetSlot).done(true);
}
std::string chat(int slot, std::string_view chatText) {
    return Builder(cmd::chat).add(slot).add(chatText).done();
}
std::string action(int slot, std::string_view chatText) {
    return Builder(cmd::action).add(slot).add(chatText).done();
}
std::string playasound(int slot, int soundNumber) {
    return Builder(cmd::playasound).add(slot).add("wave" + n(soundNumber)).done(true);
}
std::string startgame(std::string_view name, int bonusLimit) {
    return Builder(cmd::startgame).add(name).add(bonusLimit).done(true);
}
std::string justwatch(int seat, int mode) {
    return Builder(cmd::justwatch).add(seat).add(mode).done();
}
std::string rollthedice(int seat, std::span<const int> dice) {
    Builder b(cmd::rollthedice);
    b.add(seat);
    if (dice.empty()) b.add(0);
    for (int d : dice)
        b.add(d);
    return b.done();
}
std::string selectcat(int seat, int category) {
    return Builder(cmd::selectcat).add(seat).add(category).done(true);
}
} // namespace toHost

namespace toClient {
std::string sendlogininfo(int slot) {
    return Builder(cmd::sendlogininfo).add(slot).done();
}
std::string full() {
    return Builder(cmd::full).done(true);
}
std::string newplayerinfo(int slot, std::string_view name) {
    return Builder(cmd::newplayerinfo).add(slot).add(name).add(0).done();
}
std::string existingplayers(std::span<const PlayerEntry> players) {
    Builder b(cmd::existingplayers);
    for (const auto& p : players)
        b.add(p.slot).add(p.name).add(p.watching ? 1 : 0);
    return b.done();
}
std::string havewrongversion(std::string_view name) {
    return Builder(cmd::havewrongversion).add(name).done();
}
std::string wrongversion() {
    return Builder(cmd::wrongversion).done(true);
}
std::string loadstats(int slot, int currentSeat, int bonusLimit, int rolls, int round,
                      int workingcat, const Faces& dice) {
    return Builder(cmd::loadstats)
        .add(slot)
        .add(currentSeat)
        .add(bonusLimit)
        .add(rolls)
        .add(round)
        .add(workingcat)
        .addFiveDice(dice)
        .done();
}
std::string loadscores(int slot, std::span<const SeatScores> seats) {
    Builder b(cmd::loadscores);
    b.add(slot);
    for (const auto& s : seats) {
        std::string entry = n(s.seat) + (s.ingame ? "*t" : "*f");
        for (int k = 1; k <= 8; ++k) {
            entry += '*';
            entry += n(k);
            entry += '*';
            entry += n(s.rows[static_cast<std::size_t>(k)]);
        }
        b.add(entry);
    }
    return b.done();
}
std::string playerdisconnected(int slot, std::string_view name) {
    return Builder(cmd::playerdisconnected).add(slot).add(name).done();
}
std::string justwatching(int seat, int mode) {
    return Builder(cmd::justwatching).add(seat).add(mode).done();
}
std::string chat(int slot, std::string_view name, std::string_view said) {
    std::string text(name);
    text += " chats: ";
    text += said;
    return Builder(cmd::chat).add(slot).add(text).done();
}
std::string tableLine(std::string_view text, std::string_view colourText) {
    return Builder(cmd::chat).add(0).add(std::string(text) + "|" + std::string(colourText)).done();
}
std::string action(int slot, std::string_view name, std::string_view did) {
    std::string text(name);
    text += ' ';
    text += did;
    return Builder(cmd::action).add(slot).add(text).done();
}
std::string playasound(int slot, std::string_view rest) {
    return Builder(cmd::playasound).add(slot).add(rest).done();
}
std::string startgame(std::string_view name, int bonusLimit) {
    return Builder(cmd::startgame).add(name).add(bonusLimit).done(true);
}
std::string nextplayer(int seat, int round, std::span<const int> open) {
    Builder b(cmd::nextplayer);
    b.add(seat).add(round);
    if (open.empty()) b.add(0);
    for (int c : open)
        b.add(c);
    return b.done();
}
std::string selectedcat(int seat, int category) {
    return Builder(cmd::selectedcat).add(seat).add(category).done(true);
}
std::string needcat(int seat) {
    return Builder(cmd::needcat).add(seat).done(true);
}
std::string createdice(int seat, int rolls, std::span<const DieFace> rolled) {
    Builder b(cmd::createdice);
    b.add(seat).add(rolls);
    if (rolled.empty()) b.add(0).add(0);
    for (const auto& d : rolled)
        b.add(d.die).add(d.face);
    return b.done();
}
std::string bramble(int seat, int total, int score, const Faces& dice) {
    return Builder(cmd::bramble).add(seat).add(total).add(score).add(3).addFiveDice(dice).done();
}
std::string postscores(int seat, int total, int score, int category) {
    return Builder(cmd::postscores).add(seat).add(total).add(score).add(category).done(true);
}
std::string bonustime(int seat, int total, int score, int category) {
    return Builder(cmd::bonustime).add(seat).add(total).add(score).add(category).done(true);
}
std::string gotbonus(int seat, int total, int gain, int category, int categoryScore,
                     const Faces& dice) {
    return Builder(cmd::gotbonus)
        .add(seat)
        .add(total)
        .add(gain)
        .add(category)
        .add(categoryScore)
        .addFiveDice(dice)
        .done();
}
std::string bonusend(int seat, const Faces& dice) {
    return Builder(cmd::bonusend).add(seat).addFiveDice(dice).done();
}
std::string bonusendByLimit(int seat) {
    return Builder(cmd::bonusend).add(seat).add(0).add(0).done();
}
std::string winner(std::span<const int> seats) {
    Builder b(cmd::winner);
    for (int s : seats)
        b.add(s);
    return b.add(0).done(true);
}
} // namespace toClient

// ---------------------------------------------------------------------------------------------

std::optional<Logininfo> parseLogininfo(std::string_view payload) {
    Reader r(payload);
    Logininfo out;
    out.slot = r.num();
    out.version = r.text();
    out.name = r.rest();
    return okOr(r, std::move(out));
}

std::optional<Kickhim> parseKickhim(std::string_view payload) {
    Reader r(payload);
    Kickhim out;
    out.sender = r.num();
    out.target = r.num();
    return okOr(r, out);
}

std::optional<SlotAndRest> parseSlotAndRest(std::string_view payload) {
    Reader r(payload);
    SlotAndRest out;
    out.slot = r.num();
    out.rest = r.rest();
    return okOr(r, std::move(out));
}

std::optional<Justwatch> parseJustwatch(std::string_view payload) {
    Reader r(payload);
    Justwatch out;
    out.seat = r.num();
    out.mode = r.num();
    return okOr(r, out);
}

std::optional<Loadstats> parseLoadstats(std::string_view payload) {
    Reader r(payload);
    Loadstats out;
    out.slot = r.num();
    out.currentSeat = r.num();
    out.bonusLimit = r.num();
    out.rolls = r.num();
    out.round = r.num();
    out.workingcat = r.num();
    out.dice = r.pairs(5);
    return okOr(r, std::move(out));
}

std::optional<Loadscores> parseLoadscores(std::string_view payload) {
    Reader r(payload);
    Loadscores out;
    out.slot = r.num();
    if (!r.ok()) return std::nullopt;
    while (!r.atClosing()) {
        std::string entry = r.text();
        std::vector<std::string_view> parts;
        std::string_view rest(entry);
        for (auto star = rest.find('*'); star != std::string_view::npos; star = rest.find('*')) {
            parts.push_back(rest.substr(0, star));
            rest.remove_prefix(star + 1);
        }
        parts.push_back(rest);
        if (parts.size() != 18) return std::nullopt;
        SeatScores s;
        auto seat = parseInt(parts[0]);
        if (!seat || (parts[1] != "t" && parts[1] != "f")) return std::nullopt;
        s.seat = *seat;
        s.ingame = parts[1] == "t";
        for (std::size_t i = 2; i < parts.size(); i += 2) {
            auto row = parseInt(parts[i]);
            auto value = parseInt(parts[i + 1]);
            if (!row || !value || *row < 1 || *row > 8) return std::nullopt;
            s.rows[static_cast<std::size_t>(*row)] = *value;
        }
        out.seats.push_back(s);
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Sealed dice.

namespace toHost {
std::string sealpart(int game, const SealBytes16& part) {
    return Builder(cmd::sealpart).add(game).add(toHex(part)).done();
}
} // namespace toHost

namespace toClient {
std::string sealcommit(int game, const SealBytes32& commitment, std::uint64_t position) {
    return Builder(cmd::sealcommit).add(game).add(toHex(commitment)).add(std::to_string(position)).done();
}
std::string sealmix(int game, std::span<const SealPart> parts) {
    Builder b(cmd::sealmix);
    b.add(game);
    for (const auto& p : parts)
        b.add(p.slot).add(toHex(p.bytes));
    return b.done();
}
std::string sealreveal(int game, const SealBytes32& secret) {
    return Builder(cmd::sealreveal).add(game).add(toHex(secret)).done();
}
} // namespace toClient

namespace {
// A game number or position: plain decimal, not negative.
std::optional<int> counter(FieldReader& fields) {
    auto v = fields.nextInt();
    if (!v || *v < 0) return std::nullopt;
    return v;
}
} // namespace

std::optional<Sealcommit> parseSealcommit(std::string_view payload) {
    FieldReader f(payload);
    Sealcommit out;
    auto game = counter(f);
    if (!game || !fromHex(f.next(), out.commitment)) return std::nullopt;
    auto position = counter(f);
    if (!position || !f.atEnd()) return std::nullopt;
    out.game = *game;
    out.position = static_cast<std::uint64_t>(*position);
    return out;
}

std::optional<Sealpart> parseSealpart(std::string_view payload) {
    FieldReader f(payload);
    Sealpart out;
    auto game = counter(f);
    if (!game || !fromHex(f.next(), out.part) || !f.atEnd()) return std::nullopt;
    out.game = *game;
    return out;
}

std::optional<Sealmix> parseSealmix(std::string_view payload) {
    FieldReader f(payload);
    Sealmix out;
    auto game = counter(f);
    if (!game) return std::nullopt;
    out.game = *game;
    while (!f.atEnd()) {
        SealPart part;
        auto slot = f.nextInt();
        if (!slot || *slot < 1 || *slot > kMaxSlot || !fromHex(f.next(), part.bytes)) return std::nullopt;
        for (const auto& seen : out.parts)
            if (seen.slot == *slot) return std::nullopt;
        part.slot = *slot;
        out.parts.push_back(part);
    }
    return out;
}

std::optional<Sealreveal> parseSealreveal(std::string_view payload) {
    FieldReader f(payload);
    Sealreveal out;
    auto game = counter(f);
    if (!game || !fromHex(f.next(), out.secret) || !f.atEnd()) return std::nullopt;
    out.game = *game;
    return out;
}

} // namespace core::msg
