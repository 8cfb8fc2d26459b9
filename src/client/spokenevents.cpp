// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/spokenevents.h"

#include "client/controltexts.h"
#include "client/tablefields.h"

#include <variant>

namespace core {

namespace {

std::string facesOnBoard(const BoardModel& board) {
    std::string faces;
    for (int d = 1; d <= kDiceCount; ++d) {
        const int face = board.die(d).face;
        if (face < 1 || face > 6) continue;
        if (!faces.empty()) faces += ", ";
        faces += std::to_string(face);
    }
    return faces;
}

// "3+Ann chats: hello|clBlack" reads "Ann chats: hello".
std::string chatSentence(const msg::toClient::Chat& said, const SpeechOptions& options) {
    if (!options.withChat) return {};
    std::string text = said.text;
    const auto bar = text.rfind('|');
    if (bar != std::string::npos) text.erase(bar);
    return text;
}

// What is said of each message, read from the board as it now stands.
class Sentences {
public:
    Sentences(const BoardModel& board, const SpeechOptions& options)
        : m_board(board), m_options(options) {}

    std::string operator()(const fromHost::Chat& e) const { return chatSentence(e, m_options); }
    std::string operator()(const fromHost::Action& e) const { return chatSentence(e, m_options); }
    std::string operator()(const fromHost::Startgame& e) const {
        if (m_options.myslot >= 1 && m_options.myslot <= kSeatCount &&
            m_board.seat(m_options.myslot).label == e.name)
            return "You started a new game.";
        return e.name + " started a new game.";
    }
    std::string operator()(const fromHost::Winner&) const { return m_board.winner1; }

    // Every other spoken message starts with the seat it is about.
    std::string operator()(const fromHost::Nextplayer& e) const {
        if (!namesSeat(e.seat) || !e.round) return {};
        const std::string turn =
            *e.seat == m_options.myslot ? "Your turn." : who(e.seat) + "'s turn.";
        return "Round " + std::to_string(e.round->value) + ". " + turn;
    }
    std::string operator()(const fromHost::Createdice& e) const {
        if (!namesSeat(e.seat) || !e.rolls) return {};
        return who(e.seat) + " rolled " + facesOnBoard(m_board) + ".";
    }
    std::string operator()(const fromHost::Selectedcat& e) const {
        if (!namesSeat(e.seat) || !e.category || !isCategory(*e.category)) return {};
        return who(e.seat) + " chose " + rowName(*e.category) + ".";
    }
    std::string operator()(const fromHost::Postscores& e) const {
        if (!scored(e)) return {};
        return who(e.seat) + " scored " + scoredIn(e) + ".";
    }
    std::string operator()(const fromHost::Bonustime& e) const {
        if (!scored(e)) return {};
        return "Bonus mode for " + who(e.seat) + ", " + scoredIn(e) + ".";
    }
    std::string operator()(const fromHost::Bramble& e) const {
        if (!namesSeat(e.seat) || !e.total || !e.score) return {};
        return who(e.seat) + " rolled a Bramble, " + facesOnBoard(m_board) + ", scoring " +
               std::to_string(e.score->value) + ".";
    }
    std::string operator()(const fromHost::Gotbonus& e) const {
        if (!namesSeat(e.seat) || !e.total || !e.gain) return {};
        return who(e.seat) + " gained " + std::to_string(e.gain->value) + " bonus points, " +
               facesOnBoard(m_board) + ".";
    }
    std::string operator()(const fromHost::Bonusend& e) const {
        if (!namesSeat(e.seat)) return {};
        return "Bonus mode over for " + who(e.seat) + ".";
    }

    // The rest is not spoken.
    template <typename Event> std::string operator()(const Event&) const { return {}; }

private:
    static bool namesSeat(const msg::OptInt& seat) { return seat && isSeat(*seat); }
    static bool scored(const msg::toClient::Postscores& e) {
        return namesSeat(e.seat) && e.total && e.score && e.category && isCategory(*e.category);
    }
    static std::string scoredIn(const msg::toClient::Postscores& e) {
        return std::to_string(e.score->value) + " in " + rowName(*e.category);
    }
    // Who a seat is in a sentence: "You" for the local player, else the seat's name.
    std::string who(const msg::OptInt& seat) const {
        if (*seat == m_options.myslot) return "You";
        return core::isSeat(*seat) ? m_board.seat(*seat).label : std::string();
    }

    const BoardModel& m_board;
    const SpeechOptions& m_options;
};

} // namespace

std::string spokenEvent(const HostEvent& event, const BoardModel& board,
                        const SpeechOptions& options) {
    return std::visit(Sentences(board, options), event);
}

} // namespace core
