#include "client/spokenevents.h"

#include "client/controltexts.h"
#include "client/tablefields.h"
#include "net/fields.h"
#include "net/hostreplies.h"

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
    std::string text = msg::readChat(payload).text;
    const auto bar = text.rfind('|');
    if (bar != std::string::npos) text.erase(bar);
    return text;
}

} // namespace

std::string spokenEvent(std::string_view entry, const BoardModel& board,
                        const SpeechOptions& options) {
    const auto [command, payload] = splitEntry(entry);

    if (command == msg::cmd::chat || command == msg::cmd::action)
        return options.withChat ? chatSentence(payload) : std::string();
    if (command == msg::cmd::startgame) {
        const std::string name = msg::readStartgame(payload).name;
        if (options.myslot >= 1 && options.myslot <= kSeatCount &&
            board.seat(options.myslot).label == name)
            return "You started a new game.";
        return name + " started a new game.";
    }
    if (command == msg::cmd::winner) return board.winner1;

    // Every other spoken message starts with the seat it is about.
    const auto seat = msg::readFirstNumber(payload);
    if (!seat || !isSeat(*seat)) return {};
    const std::string name = who(board, *seat, options);

    if (command == msg::cmd::nextplayer) {
        const auto round = msg::readNextplayer(payload).round;
        if (!round) return {};
        const std::string turn = *seat == options.myslot ? "Your turn." : name + "'s turn.";
        return "Round " + std::to_string(round->value) + ". " + turn;
    }
    if (command == msg::cmd::createdice) {
        if (!msg::readCreatedice(payload).rolls) return {};
        return name + " rolled " + facesOnBoard(board) + ".";
    }
    if (command == msg::cmd::selectedcat) {
        const auto cat = msg::readSelectedcat(payload).category;
        if (!cat || !isCategory(*cat)) return {};
        return name + " chose " + rowName(*cat) + ".";
    }
    if (command == msg::cmd::postscores || command == msg::cmd::bonustime) {
        const auto in = msg::readScorePost(payload);
        if (!in.total || !in.score || !in.category || !isCategory(*in.category)) return {};
        const std::string scored = std::to_string(in.score->value) + " in " + rowName(*in.category);
        if (command == msg::cmd::bonustime) return "Bonus mode for " + name + ", " + scored + ".";
        return name + " scored " + scored + ".";
    }
    if (command == msg::cmd::bramble) {
        const auto in = msg::readBramble(payload);
        if (!in.total || !in.score) return {};
        return name + " rolled a Bramble, " + facesOnBoard(board) + ", scoring " +
               std::to_string(in.score->value) + ".";
    }
    if (command == msg::cmd::gotbonus) {
        const auto in = msg::readGotbonus(payload);
        if (!in.total || !in.gain) return {};
        return name + " gained " + std::to_string(in.gain->value) + " bonus points, " +
               facesOnBoard(board) + ".";
    }
    if (command == msg::cmd::bonusend) return "Bonus mode over for " + name + ".";
    return {};
}

} // namespace core
