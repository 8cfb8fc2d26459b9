#include "net/hostreplies.h"

#include "net/fields.h"

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

// One part of a reply, by what the member it fills is: a number, a number kept with its
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
template <typename Reply> struct Rest { std::string Reply::*text; };

template <typename Reply, typename T> void readPart(FieldReader& r, Reply& out, T Reply::*member) {
    readField(r, out.*member);
}
template <typename Reply> void readPart(FieldReader& r, Reply& out, std::vector<int> Reply::*list) {
    out.complete = readNumbers(r, out.*list);
}
template <typename Reply> void readPart(FieldReader& r, Reply& out, Dice) {
    readDice(r, out);
}
template <typename Reply> void readPart(FieldReader& r, Reply& out, Rest<Reply> rest) {
    out.*rest.text = r.rest();
}

// A reply read part by part in the order the host sends them.
template <typename Reply, typename... Part>
Reply readReply(std::string_view payload, Part... parts) {
    FieldReader r(payload);
    Reply out;
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

PlayerList readPlayers(std::string_view payload) {
    FieldReader r(payload);
    PlayerList out;
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

Departure readPlayerdisconnected(std::string_view payload) {
    return readReply<Departure>(payload, &Departure::slot, Rest<Departure>{&Departure::name});
}

Said readChat(std::string_view payload) {
    return readReply<Said>(payload, &Said::slot, Rest<Said>{&Said::text});
}

WatchChange readJustwatching(std::string_view payload) {
    return readReply<WatchChange>(payload, &WatchChange::seat, &WatchChange::watching);
}

GameStart readStartgame(std::string_view payload) {
    return readReply<GameStart>(payload, &GameStart::name, &GameStart::limit);
}

NextTurn readNextplayer(std::string_view payload) {
    return readReply<NextTurn>(payload, &NextTurn::seat, &NextTurn::round, &NextTurn::open);
}

Roll readCreatedice(std::string_view payload) {
    return readReply<Roll>(payload, &Roll::seat, &Roll::rolls, Dice{});
}

CategoryChoice readSelectedcat(std::string_view payload) {
    return readReply<CategoryChoice>(payload, &CategoryChoice::seat, &CategoryChoice::category);
}

OptInt readFirstNumber(std::string_view payload) {
    return FieldReader(payload).nextInt();
}

ScorePost readScorePost(std::string_view payload) {
    return readReply<ScorePost>(payload, &ScorePost::seat, &ScorePost::total, &ScorePost::score,
                                &ScorePost::category);
}

BrambleRoll readBramble(std::string_view payload) {
    using B = BrambleRoll;
    return readReply<B>(payload, &B::seat, &B::total, &B::score, &B::rolls, Dice{});
}

BonusGain readGotbonus(std::string_view payload) {
    using B = BonusGain;
    return readReply<B>(payload, &B::seat, &B::total, &B::gain, &B::category, &B::categoryScore,
                        Dice{});
}

BonusEnd readBonusend(std::string_view payload) {
    return readReply<BonusEnd>(payload, &BonusEnd::seat, Dice{});
}

Winners readWinner(std::string_view payload) {
    return readReply<Winners>(payload, &Winners::seats);
}

TurnCatchUp readLoadstats(std::string_view payload) {
    using T = TurnCatchUp;
    return readReply<T>(payload, &T::slot, &T::seat, &T::limit, &T::rolls, &T::round,
                        &T::workingcat, Dice{});
}

SheetCatchUp readLoadscores(std::string_view payload) {
    FieldReader r(payload);
    SheetCatchUp out;
    out.slot = r.nextInt();
    while (!r.atEnd()) {
        const auto parts = starParts(r.next());
        auto seat = parseInt(parts[0]);
        if (!seat) break;
        SheetCatchUp::Seat entry{*seat, parts.size() > 1 ? std::string(parts[1]) : "", {}, true};
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

} // namespace core::msg
