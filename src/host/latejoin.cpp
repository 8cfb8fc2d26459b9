#include "host/latejoin.h"

#include "net/fields.h"

namespace core {

namespace {
constexpr const char* kCmdLoadstats = "CMD_loadstats";
constexpr const char* kCmdLoadscores = "CMD_loadscores";
} // namespace

std::string loadstatsMessage(const HostState& state, int slot) {
    const TurnState& turn = state.turn;
    int rolls = 0;
    int workingcat = 0;
    if (HostState::validSeat(turn.currentseat)) {
        rolls = state.slot(turn.currentseat).rolls;
        workingcat = state.slot(turn.currentseat).workingcat;
    }
    std::vector<std::string> fields{std::to_string(slot),           std::to_string(turn.currentseat),
                                    std::to_string(turn.bonuslimit), std::to_string(rolls),
                                    std::to_string(turn.round),      std::to_string(workingcat)};
    for (int d = 1; d <= kDiceCount; ++d) {
        fields.push_back(std::to_string(d));
        fields.push_back(std::to_string(turn.dice[static_cast<std::size_t>(d)]));
    }
    return buildMessage(kCmdLoadstats, fields);
}

std::string loadscoresMessage(const HostState& state, int slot) {
    std::vector<std::string> fields{std::to_string(slot)};
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        const PlayerSlot& s = state.slot(seat);
        std::string entry = std::to_string(seat) + (s.ingame ? "*t" : "*f");
        for (int k = 1; k <= kCategoryCount + 1; ++k) {
            int value = k <= kCategoryCount ? s.score(k) : s.total;
            entry += '*' + std::to_string(k) + '*' + std::to_string(value);
        }
        fields.push_back(std::move(entry));
    }
    return buildMessage(kCmdLoadscores, fields);
}

} // namespace core
