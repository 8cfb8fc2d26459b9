#include "client/spokenevents.h"

#include "client/controltexts.h"
#include "client/tablefields.h"
#include "net/fields.h"
#include "net/toclient.h"

namespace core {

namespace {

// Who a seat is in a sentence: "You" for the local player, else the seat's name.
std::string who(const BoardModel& board, int seat, const SpeechOptions& options) {
    if (seat == options.myslot) return "You";
    return isSeat(seat) ? board.seat(seat).label : std::string();
}

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
std::string chatSentence(std::string_view payload) {
    std::string text = msg::toClient::Chat::read(payload).text;
    const auto bar = text.rfind('|');
    if (bar != std::string::npos) text.erase(bar);
    return text;
}

} // namespace

std::string spokenEvent(std::string_view entry, const BoardModel& board,
                        const SpeechOptions& options) {
    const auto [command, payload] = splitEntry(entry);

    if (command == msg::toClient::Chat::word || command == msg::toClient::Action::word)
        return options.withChat ? chatSentence(payload) : std::string();
    if (command == msg::toClient::Startgame::word) {
        const std::string name = msg::toClient::Startgame::read(payload).name;
        if (options.myslot >= 1 && options.myslot <= kSeatCount &&
            board.seat(options.myslot).label == name)
            return "You started a new game.";
        return name + " started a new game.";
    }
    if (command == msg::toClient::Winner::word) return board.winner1;

    // Every other spoken message starts with the seat it is about.
    const auto seat = msg::readFirstNumber(payload);
    if (!seat || !isSeat(*seat)) return {};
    const std::string name = who(board, *seat, options);

    if (command == msg::toClient::Nextplayer::word) {
        const auto round = msg::toClient::Nextplayer::read(payload).round;
        if (!round) return {};
        const std::string turn = *seat == options.myslot ? "Your turn." : name + "'s turn.";
        return "Round " + std::to_string(round->value) + ". " + turn;
    }
    if (command == msg::toClient::Createdice::word) {
        if (!msg::toClient::Createdice::read(payload).rolls) return {};
        return name + " rolled " + facesOnBoard(board) + ".";
    }
    if (command == msg::toClient::Selectedcat::word) {
        const auto cat = msg::toClient::Selectedcat::read(payload).category;
        if (!cat || !isCategory(*cat)) return {};
        return name + " chose " + rowName(*cat) + ".";
    }
    if (command == msg::toClient::Postscores::word || command == msg::toClient::Bonustime::word) {
        const auto in = msg::toClient::Postscores::read(payload);
        if (!in.total || !in.score || !in.category || !isCategory(*in.category)) return {};
        const std::string scored = std::to_string(in.score->value) + " in " + rowName(*in.category);
        if (command == msg::toClient::Bonustime::word)
            return "Bonus mode for " + name + ", " + scored + ".";
        return name + " scored " + scored + ".";
    }
    if (command == msg::toClient::Bramble::word) {
        const auto in = msg::toClient::Bramble::read(payload);
        if (!in.total || !in.score) return {};
        return name + " rolled a Bramble, " + facesOnBoard(board) + ", scoring " +
               std::to_string(in.score->value) + ".";
    }
    if (command == msg::toClient::Gotbonus::word) {
        const auto in = msg::toClient::Gotbonus::read(payload);
        if (!in.total || !in.gain) return {};
        return name + " gained " + std::to_string(in.gain->value) + " bonus points, " +
               facesOnBoard(board) + ".";
    }
    if (command == msg::toClient::Bonusend::word) return "Bonus mode over for " + name + ".";
    return {};
}

} // namespace core
