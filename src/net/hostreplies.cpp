#include "net/hostreplies.h"

#include "net/fields.h"

namespace core::msg {

namespace {

OptShown shown(std::string_view field) {
    auto value = parseInt(field);
    if (!value) return std::nullopt;
    return ShownNumber{*value, std::string(field)};
}

OptShown nextShown(FieldReader& r) {
    return shown(r.next());
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
    FieldReader r(payload);
    Departure out;
    out.slot = r.nextInt();
    out.name = r.rest();
    return out;
}

WatchChange readJustwatching(std::string_view payload) {
    FieldReader r(payload);
    WatchChange out;
    out.seat = r.nextInt();
    out.watching = r.next() == "1";
    return out;
}

GameStart readStartgame(std::string_view payload) {
    FieldReader r(payload);
    GameStart out;
    out.name = r.next();
    out.limit = r.next();
    return out;
}

NextTurn readNextplayer(std::string_view payload) {
    FieldReader r(payload);
    NextTurn out;
    out.seat = r.nextInt();
    out.round = nextShown(r);
    out.complete = readNumbers(r, out.open);
    return out;
}

Roll readCreatedice(std::string_view payload) {
    FieldReader r(payload);
    Roll out;
    out.seat = r.nextInt();
    out.rolls = r.nextInt();
    readDice(r, out);
    return out;
}

CategoryChoice readSelectedcat(std::string_view payload) {
    FieldReader r(payload);
    CategoryChoice out;
    out.seat = r.nextInt();
    out.category = r.nextInt();
    return out;
}

OptInt readFirstNumber(std::string_view payload) {
    return FieldReader(payload).nextInt();
}

ScorePost readScorePost(std::string_view payload) {
    FieldReader r(payload);
    ScorePost out;
    out.seat = r.nextInt();
    out.total = nextShown(r);
    out.score = nextShown(r);
    out.category = r.nextInt();
    return out;
}

BrambleRoll readBramble(std::string_view payload) {
    FieldReader r(payload);
    BrambleRoll out;
    out.seat = r.nextInt();
    out.total = nextShown(r);
    out.score = nextShown(r);
    out.rolls = r.nextInt();
    readDice(r, out);
    return out;
}

BonusGain readGotbonus(std::string_view payload) {
    FieldReader r(payload);
    BonusGain out;
    out.seat = r.nextInt();
    out.total = nextShown(r);
    out.gain = nextShown(r);
    out.category = r.nextInt();
    out.categoryScore = nextShown(r);
    readDice(r, out);
    return out;
}

BonusEnd readBonusend(std::string_view payload) {
    FieldReader r(payload);
    BonusEnd out;
    out.seat = r.nextInt();
    readDice(r, out);
    return out;
}

Winners readWinner(std::string_view payload) {
    FieldReader r(payload);
    Winners out;
    out.complete = readNumbers(r, out.seats);
    return out;
}

TurnCatchUp readLoadstats(std::string_view payload) {
    FieldReader r(payload);
    TurnCatchUp out;
    out.slot = r.nextInt();
    out.seat = r.nextInt();
    out.limit = nextShown(r);
    out.rolls = r.nextInt();
    out.round = nextShown(r);
    out.workingcat = r.nextInt();
    readDice(r, out);
    return out;
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
