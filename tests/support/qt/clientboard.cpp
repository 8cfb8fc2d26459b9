// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/qt/clientboard.h"

namespace testsupport {

namespace {

int num(const std::string& text) {
    return std::stoi(text);
}

} // namespace

std::vector<std::string> fieldsOf(const std::string& message) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        auto plus = message.find('+', start);
        out.push_back(message.substr(start, plus - start));
        if (plus == std::string::npos) return out;
        start = plus + 1;
    }
}

ClientBoard::ClientBoard() {
    for (auto& seat : rows) {
        seat.fill(-1);
        seat[8] = 0;
    }
}

int ClientBoard::score(int seat, int category) const {
    return rows[static_cast<std::size_t>(seat)][static_cast<std::size_t>(category)];
}

void ClientBoard::setDice(const std::vector<std::string>& f, std::size_t from) {
    for (std::size_t i = from; i + 1 < f.size(); i += 2)
        if (num(f[i]) >= 1) dice[static_cast<std::size_t>(num(f[i]))] = num(f[i + 1]);
}

void ClientBoard::apply(const std::string& message) {
    auto f = fieldsOf(message);
    const std::string& cmd = f[0];
    auto seat = [&] { return static_cast<std::size_t>(num(f[1])); };
    if (cmd == "CMD_startgame") {
        *this = ClientBoard();
        bonusLimit = num(f[2]);
    } else if (cmd == "CMD_nextplayer") {
        currentSeat = num(f[1]);
        round = num(f[2]);
        rolls = workingcat = 0;
        dice.fill(0);
        open.clear();
        for (std::size_t i = 3; i < f.size(); ++i)
            if (num(f[i]) != 0) open.push_back(num(f[i]));
    } else if (cmd == "CMD_selectedcat") {
        workingcat = num(f[2]);
    } else if (cmd == "CMD_createdice") {
        rolls = num(f[2]);
        setDice(f, 3);
    } else if (cmd == "CMD_bramble") {
        rows[seat()][8] = num(f[2]);
        rows[seat()][7] = num(f[3]);
        rolls = 3;
        setDice(f, 5);
    } else if (cmd == "CMD_postscores" || cmd == "CMD_bonustime") {
        rows[seat()][8] = num(f[2]);
        rows[seat()][static_cast<std::size_t>(num(f[4]))] = num(f[3]);
    } else if (cmd == "CMD_gotbonus") {
        rows[seat()][8] = num(f[2]);
        rows[seat()][static_cast<std::size_t>(num(f[4]))] = num(f[5]);
        setDice(f, 6);
    } else if (cmd == "CMD_bonusend") {
        setDice(f, 2);
    }
}

std::string ClientBoard::loadstats(int slot) const {
    std::string out = "CMD_loadstats+" + std::to_string(slot);
    for (int v : {currentSeat, bonusLimit, rolls, round, workingcat})
        out += "+" + std::to_string(v);
    for (int d = 1; d <= 5; ++d)
        out += "+" + std::to_string(d) + "+" + std::to_string(dice[static_cast<std::size_t>(d)]);
    return out;
}

std::string ClientBoard::loadscores(int slot, int seatsInGame) const {
    std::string out = "CMD_loadscores+" + std::to_string(slot);
    for (int s = 1; s <= 6; ++s) {
        out += "+" + std::to_string(s) + (s <= seatsInGame ? "*t" : "*f");
        for (int k = 1; k <= 8; ++k)
            out += "*" + std::to_string(k) + "*" + std::to_string(score(s, k));
    }
    return out;
}

} // namespace testsupport
