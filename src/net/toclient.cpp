// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/toclient.h"

#include "game/counts.h"
#include "net/fields.h"
#include "net/hexfield.h"

namespace core::msg {

namespace {

OptShown shown(std::string_view field) {
    auto value = parseInt(field);
    if (!value) return std::nullopt;
    return ShownNumber{*value, std::string(field)};
}

// Numbers to the end of the payload, up to the first that does not convert.
bool readNumbers(FieldReader& r, std::vector<int>& out) {
    while (!r.atEnd()) {
        auto n = r.nextInt();
        if (!n) return false;
        out.push_back(*n);
    }
    return true;
}

void readDice(FieldReader& r, DiceTail& out) {
    while (!r.atEnd()) {
        auto die = r.nextInt();
        auto face = die ? r.nextInt() : std::nullopt;
        if (!face) {
            out.complete = false;
            return;
        }
        out.dice.push_back({*die, *face});
    }
}

// One part of a record, by what the member it fills is: a number, a number kept with its
// text, a text as sent, or a flag ("1" is on). The parts below consume the rest of the payload:
// the dice pairs, a list of numbers, or a free text that may hold "+".
void readField(FieldReader& r, OptInt& out) {
    out = r.nextInt();
}
void readField(FieldReader& r, OptShown& out) {
    out = shown(r.next());
}
void readField(FieldReader& r, std::string& out) {
    out = r.next();
}
void readField(FieldReader& r, bool& out) {
    out = r.next() == "1";
}

struct Dice {};
template <typename Record> struct Rest { std::string Record::*text; };

template <typename Record, typename T>
void readPart(FieldReader& r, Record& out, T Record::*member) {
    readField(r, out.*member);
}
template <typename Record>
void readPart(FieldReader& r, Record& out, std::vector<int> Record::*list) {
    out.complete = readNumbers(r, out.*list);
}
template <typename Record> void readPart(FieldReader& r, Record& out, Dice) {
    readDice(r, out);
}
template <typename Record> void readPart(FieldReader& r, Record& out, Rest<Record> rest) {
    out.*rest.text = r.rest();
}

// A record read part by part in the order the host sends them.
template <typename Record, typename... Part>
Record readParts(std::string_view payload, Part... parts) {
    FieldReader r(payload);
    Record out;
    (readPart(r, out, parts), ...);
    return out;
}

// "seat*flag*row*value*row*value..." of "CMD_loadscores".
std::vector<std::string_view> starParts(std::string_view entry) {
    std::vector<std::string_view> parts;
    for (auto star = entry.find('*'); star != std::string_view::npos; star = entry.find('*')) {
        parts.push_back(entry.substr(0, star));
        entry.remove_prefix(star + 1);
    }
    parts.push_back(entry);
    return parts;
}

} // namespace

OptInt readFirstNumber(std::string_view payload) {
    return FieldReader(payload).nextInt();
}

namespace toClient {

// --- login and presence -------------------------------------------------------------------------

std::string Sendlogininfo::build(int slot) {
    return Builder(word).add(slot).done();
}

std::string Full::build() {
    return Builder(word).done(true);
}

std::string Newplayerinfo::build(int slot, std::string_view name) {
    return Builder(word).add(slot).add(name).add(0).done();
}
Newplayerinfo Newplayerinfo::read(std::string_view payload) {
    FieldReader r(payload);
    Newplayerinfo out;
    while (!r.atEnd()) {
        auto slot = r.nextInt();
        if (!slot) {
            out.complete = false;
            break;
        }
        std::string name(r.next());
        const bool watching = r.next() == "1";
        out.players.push_back({*slot, std::move(name), watching});
    }
    return out;
}

std::string Existingplayers::build(std::span<const PlayerEntry> players) {
    Builder b(word);
    for (const auto& p : players)
        b.add(p.slot).add(p.name).add(p.watching ? 1 : 0);
    return b.done();
}

std::string Havewrongversion::build(std::string_view name) {
    return Builder(word).add(name).done();
}

std::string Wrongversion::build() {
    return Builder(word).done(true);
}

std::string Playerdisconnected::build(int slot, std::string_view name) {
    return Builder(word).add(slot).add(name).done();
}
Playerdisconnected Playerdisconnected::read(std::string_view payload) {
    using P = Playerdisconnected;
    return readParts<P>(payload, &P::slot, Rest<P>{&P::name});
}

std::string Justwatching::build(int seat, int mode) {
    return Builder(word).add(seat).add(mode).done();
}
Justwatching Justwatching::read(std::string_view payload) {
    return readParts<Justwatching>(payload, &Justwatching::seat, &Justwatching::watching);
}

// --- relays -------------------------------------------------------------------------------------

std::string Chat::build(int slot, std::string_view name, std::string_view said) {
    std::string text(name);
    text += " chats: ";
    text += said;
    return Builder(word).add(slot).add(text).done();
}
std::string Chat::tableLine(std::string_view text, std::string_view colourText) {
    return Builder(word).add(0).add(std::string(text) + "|" + std::string(colourText)).done();
}
Chat Chat::read(std::string_view payload) {
    return readParts<Chat>(payload, &Chat::slot, Rest<Chat>{&Chat::text});
}

std::string Action::build(int slot, std::string_view name, std::string_view did) {
    std::string text(name);
    text += ' ';
    text += did;
    return Builder(word).add(slot).add(text).done();
}

std::string Playasound::build(int slot, std::string_view rest) {
    return Builder(word).add(slot).add(rest).done();
}
Playasound Playasound::read(std::string_view payload) {
    return readParts<Playasound>(payload, &Playasound::slotText, &Playasound::soundName);
}

// --- the game -----------------------------------------------------------------------------------

std::string Startgame::build(std::string_view name, int bonusLimit) {
    return Builder(word).add(name).add(bonusLimit).done(true);
}
Startgame Startgame::read(std::string_view payload) {
    return readParts<Startgame>(payload, &Startgame::name, &Startgame::limit);
}

std::string Nextplayer::build(int seat, int round, std::span<const int> open) {
    Builder b(word);
    b.add(seat).add(round);
    if (open.empty()) b.add(0);
    for (int c : open)
        b.add(c);
    return b.done();
}
Nextplayer Nextplayer::read(std::string_view payload) {
    return readParts<Nextplayer>(payload, &Nextplayer::seat, &Nextplayer::round, &Nextplayer::open);
}

std::string Createdice::build(int seat, int rolls, std::span<const DieFace> rolled) {
    Builder b(word);
    b.add(seat).add(rolls);
    if (rolled.empty()) b.add(0).add(0);
    for (const auto& d : rolled)
        b.add(d.die).add(d.face);
    return b.done();
}
Createdice Createdice::read(std::string_view payload) {
    return readParts<Createdice>(payload, &Createdice::seat, &Createdice::rolls, Dice{});
}

std::string Selectedcat::build(int seat, int category) {
    return Builder(word).add(seat).add(category).done(true);
}
Selectedcat Selectedcat::read(std::string_view payload) {
    return readParts<Selectedcat>(payload, &Selectedcat::seat, &Selectedcat::category);
}

std::string Needcat::build(int seat) {
    return Builder(word).add(seat).done(true);
}

std::string Postscores::build(int seat, int total, int score, int category) {
    return Builder(word).add(seat).add(total).add(score).add(category).done(true);
}
Postscores Postscores::read(std::string_view payload) {
    using P = Postscores;
    return readParts<P>(payload, &P::seat, &P::total, &P::score, &P::category);
}

std::string Bonustime::build(int seat, int total, int score, int category) {
    return Builder(word).add(seat).add(total).add(score).add(category).done(true);
}

std::string Bramble::build(int seat, int total, int score, const Faces& dice) {
    return Builder(word).add(seat).add(total).add(score).add(3).addFiveDice(dice).done();
}
Bramble Bramble::read(std::string_view payload) {
    using B = Bramble;
    return readParts<B>(payload, &B::seat, &B::total, &B::score, &B::rolls, Dice{});
}

std::string Gotbonus::build(int seat, int total, int gain, int category, int categoryScore,
                            const Faces& dice) {
    return Builder(word)
        .add(seat)
        .add(total)
        .add(gain)
        .add(category)
        .add(categoryScore)
        .addFiveDice(dice)
        .done();
}
Gotbonus Gotbonus::read(std::string_view payload) {
    using G = Gotbonus;
    return readParts<G>(payload, &G::seat, &G::total, &G::gain, &G::category, &G::categoryScore,
                        Dice{});
}

std::string Bonusend::build(int seat, const Faces& dice) {
    return Builder(word).add(seat).addFiveDice(dice).done();
}
std::string Bonusend::buildByLimit(int seat) {
    return Builder(word).add(seat).add(0).add(0).done();
}
Bonusend Bonusend::read(std::string_view payload) {
    return readParts<Bonusend>(payload, &Bonusend::seat, Dice{});
}

std::string Winner::build(std::span<const int> seats) {
    Builder b(word);
    for (int s : seats)
        b.add(s);
    return b.add(0).done(true);
}
Winner Winner::read(std::string_view payload) {
    return readParts<Winner>(payload, &Winner::seats);
}

// --- the late joiner's catch-up -----------------------------------------------------------------

std::string Loadstats::build(int slot, int currentSeat, int bonusLimit, int rolls, int round,
                             int workingcat, const Faces& dice) {
    return Builder(word)
        .add(slot)
        .add(currentSeat)
        .add(bonusLimit)
        .add(rolls)
        .add(round)
        .add(workingcat)
        .addFiveDice(dice)
        .done();
}
Loadstats Loadstats::read(std::string_view payload) {
    using L = Loadstats;
    return readParts<L>(payload, &L::slot, &L::seat, &L::limit, &L::rolls, &L::round,
                        &L::workingcat, Dice{});
}

std::string Loadscores::build(int slot, std::span<const SeatScores> seats) {
    Builder b(word);
    b.add(slot);
    for (const auto& s : seats) {
        std::string entry = std::to_string(s.seat) + (s.ingame ? "*t" : "*f");
        for (int k = 1; k <= 8; ++k) {
            entry += '*';
            entry += std::to_string(k);
            entry += '*';
            entry += std::to_string(s.rows[static_cast<std::size_t>(k)]);
        }
        b.add(entry);
    }
    return b.done();
}
Loadscores Loadscores::read(std::string_view payload) {
    FieldReader r(payload);
    Loadscores out;
    out.slot = r.nextInt();
    while (!r.atEnd()) {
        const auto parts = starParts(r.next());
        auto seat = parseInt(parts[0]);
        if (!seat) break;
        Seat entry{*seat, parts.size() > 1 ? std::string(parts[1]) : "", {}, true};
        for (std::size_t i = 2; i + 1 < parts.size(); i += 2) {
            auto row = parseInt(parts[i]);
            auto value = shown(parts[i + 1]);
            if (!row || !value) {
                entry.complete = false;
                break;
            }
            entry.cells.push_back({*row, *value});
        }
        const bool stop = !entry.complete;
        out.seats.push_back(std::move(entry));
        if (stop) break;
    }
    return out;
}

// --- seats held for dropped players
// ---------------------------------------------------------------

std::string Seattoken::build(int seat, int seconds, std::string_view token) {
    return Builder(word).add(seat).add(seconds).add(token).done();
}
std::optional<Seattoken> Seattoken::read(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    auto seconds = r.nextInt();
    if (!seat || !seconds) return std::nullopt;
    return Seattoken{*seat, *seconds, std::string(r.next())};
}

std::string Seatreclaimed::build(int seat) {
    return Builder(word).add(seat).done(true);
}

std::string Seatheld::build(int seat, int seconds, std::string_view name) {
    return Builder(word).add(seat).add(seconds).add(name).done();
}
std::optional<Seatheld> Seatheld::read(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    auto seconds = r.nextInt();
    if (!seat || !seconds) return std::nullopt;
    return Seatheld{*seat, *seconds, std::string(r.rest())};
}

std::string Seatfreed::build(int seat, std::string_view name) {
    return Builder(word).add(seat).add(name).done();
}
std::optional<Seatfreed> Seatfreed::read(std::string_view payload) {
    FieldReader r(payload);
    auto seat = r.nextInt();
    if (!seat) return std::nullopt;
    return Seatfreed{*seat, std::string(r.rest())};
}

// --- sealed dice
// ----------------------------------------------------------------------------------

std::string Sealcommit::build(int game, const SealBytes32& commitment, std::uint64_t position) {
    return Builder(word).add(game).add(toHex(commitment)).add(std::to_string(position)).done();
}
std::optional<Sealcommit> Sealcommit::read(std::string_view payload) {
    FieldReader f(payload);
    Sealcommit out;
    auto game = f.nextCount();
    if (!game || !fromHex(f.next(), out.commitment)) return std::nullopt;
    auto position = f.nextCount();
    if (!position || !f.atEnd()) return std::nullopt;
    out.game = *game;
    out.position = static_cast<std::uint64_t>(*position);
    return out;
}

std::string Sealmix::build(int game, std::span<const SealPart> parts) {
    Builder b(word);
    b.add(game);
    for (const auto& p : parts)
        b.add(p.slot).add(toHex(p.bytes));
    return b.done();
}
std::optional<Sealmix> Sealmix::read(std::string_view payload) {
    FieldReader f(payload);
    Sealmix out;
    auto game = f.nextCount();
    if (!game) return std::nullopt;
    out.game = *game;
    while (!f.atEnd()) {
        SealPart part;
        auto slot = f.nextInt();
        if (!slot || *slot < 1 || *slot > kMaxSlot || !fromHex(f.next(), part.bytes))
            return std::nullopt;
        for (const auto& seen : out.parts)
            if (seen.slot == *slot) return std::nullopt;
        part.slot = *slot;
        out.parts.push_back(part);
    }
    return out;
}

std::string Sealreveal::build(int game, const SealBytes32& secret) {
    return Builder(word).add(game).add(toHex(secret)).done();
}
std::optional<Sealreveal> Sealreveal::read(std::string_view payload) {
    FieldReader f(payload);
    Sealreveal out;
    auto game = f.nextCount();
    if (!game || !fromHex(f.next(), out.secret) || !f.atEnd()) return std::nullopt;
    out.game = *game;
    return out;
}

} // namespace toClient

} // namespace core::msg
