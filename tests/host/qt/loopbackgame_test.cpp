// A whole game over a loopback port. The host is wired as the dedicated host wires it (host
// server, turn engine with seeded dice, sped-up game timer); a scripted raw client in slot 1
// starts the game and plays its seven turns against the computer in seat 2, and a second raw
// client that arrives mid-game must be told the board the first one drew from the broadcasts.

#include "host/qt/hostserver.h"
#include "host/turnengine.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QtTest>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kTerminator = '\xff';

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
int num(const std::string& text) {
    return std::stoi(text);
}

// Speaks the wire format byte for byte. The host lives on this thread, so waiting means
// running the event loop.
class RawClient {
public:
    explicit RawClient(quint16 port) { m_socket.connectToHost(QHostAddress::LocalHost, port); }
    void send(const std::string& message) {
        std::string framed = message + kTerminator;
        m_socket.write(framed.data(), static_cast<qint64>(framed.size()));
    }
    // The next message, or nullopt when none arrives in time.
    std::optional<std::string> next(int timeoutMs = 10000) {
        QElapsedTimer clock;
        clock.start();
        while (m_buffer.find(kTerminator) == std::string::npos) {
            if (clock.elapsed() > timeoutMs) return std::nullopt;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QByteArray bytes = m_socket.readAll();
            m_buffer.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        }
        auto end = m_buffer.find(kTerminator);
        std::string message = m_buffer.substr(0, end);
        m_buffer.erase(0, end + 1);
        return message;
    }

private:
    QTcpSocket m_socket;
    std::string m_buffer;
};

// The board as a client draws it from the broadcasts.
struct Board {
    std::array<std::array<int, 9>, 7> rows{}; // [seat][category 1..7, 8 = total]
    int currentSeat = 0, round = 0, rolls = 0, workingcat = 0, bonusLimit = 0;
    std::array<int, 6> dice{};
    std::vector<int> open;

    Board() {
        for (auto& seat : rows) {
            seat.fill(-1);
            seat[8] = 0;
        }
    }
    void setDice(const std::vector<std::string>& f, std::size_t from) {
        for (std::size_t i = from; i + 1 < f.size(); i += 2)
            if (num(f[i]) >= 1) dice[static_cast<std::size_t>(num(f[i]))] = num(f[i + 1]);
    }
    void apply(const std::string& message) {
        auto f = fieldsOf(message);
        const std::string& cmd = f[0];
        auto seat = [&] { return static_cast<std::size_t>(num(f[1])); };
        if (cmd == "CMD_startgame") {
            *this = Board();
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
    // What a client joining now, in `slot`, should be told.
    std::string loadstats(int slot) const {
        std::string out = "CMD_loadstats+" + std::to_string(slot);
        for (int v : {currentSeat, bonusLimit, rolls, round, workingcat})
            out += "+" + std::to_string(v);
        for (int d = 1; d <= 5; ++d)
            out +=
                "+" + std::to_string(d) + "+" + std::to_string(dice[static_cast<std::size_t>(d)]);
        return out;
    }
    std::string loadscores(int slot, int seatsInGame) const {
        std::string out = "CMD_loadscores+" + std::to_string(slot);
        for (int s = 1; s <= 6; ++s) {
            out += "+" + std::to_string(s) + (s <= seatsInGame ? "*t" : "*f");
            for (int k = 1; k <= 8; ++k)
                out +=
                    "*" + std::to_string(k) + "*" +
                    std::to_string(rows[static_cast<std::size_t>(s)][static_cast<std::size_t>(k)]);
        }
        return out;
    }
};

} // namespace

class LoopbackGameTest : public QObject {
    Q_OBJECT

private slots:
    void slotOnePlaysSevenTurnsAndALateJoinerCatchesUp() {
        ui::HostServer server;
        server.setTimeScale(50); // the computer's 750 ms become 15 ms
        auto turns = core::makeTurnEngine(server.state(), 20240607);
        server.setTurnHandler(turns.get());
        QVERIFY(server.listen(0));

        RawClient alice(server.serverPort());
        QCOMPARE(alice.next().value_or("(none)"), std::string("CMD_sendlogininfo+1"));
        alice.send("CMD_logininfo+1+1.0.2+Alice");
        QCOMPARE(alice.next().value_or("(none)"), std::string("CMD_newplayerinfo+1+Alice+0"));
        alice.send("CMD_startgame+Alice+0+");

        Board board;
        std::unique_ptr<RawClient> bob;
        std::vector<std::string> bobSaw;
        int myTurns = 0;
        std::string winner;
        while (winner.empty()) {
            auto message = alice.next();
            QVERIFY2(message, "the game stopped");
            board.apply(*message);
            auto f = fieldsOf(*message);
            if (f[0] == "CMD_winner") winner = *message;
            QVERIFY2(f[0] != "CMD_needcat", message->c_str());
            if (f[0] == "CMD_nextplayer" && f[1] == "1") {
                ++myTurns;
                QCOMPARE(board.round, myTurns);
                if (myTurns == 4) {
                    // Bob arrives while Alice thinks over her fourth turn; he is given slot 2,
                    // which the computer has been playing.
                    bob = std::make_unique<RawClient>(server.serverPort());
                    QCOMPARE(bob->next().value_or("(none)"), std::string("CMD_sendlogininfo+2"));
                    bob->send("CMD_logininfo+2+1.0.2+Bob");
                    QCOMPARE(bob->next().value_or("(none)"),
                             std::string("CMD_newplayerinfo+2+Bob+0"));
                    QCOMPARE(bob->next().value_or("(none)"),
                             std::string("CMD_existingplayers+1+Alice+0"));
                    QCOMPARE(bob->next().value_or("(none)"), board.loadstats(2));
                    QCOMPARE(bob->next().value_or("(none)"), board.loadscores(2, 2));
                    // He lets the computer go on playing his seat.
                    bob->send("CMD_justwatch+2+1");
                }
                alice.send("CMD_rollthedice+1+1+2+3+4+5");
            }
            if (f[0] == "CMD_createdice" && f[1] == "1" && board.rolls < 3) {
                int aim = board.workingcat;
                if (aim == 0) {
                    aim = board.open.front();
                    alice.send("CMD_selectcat+1+" + std::to_string(aim) + "+");
                    board.workingcat = aim; // announced back before the next roll
                }
                std::string roll = "CMD_rollthedice+1";
                for (int d = 1; d <= 5; ++d)
                    if (aim != 7 && board.dice[static_cast<std::size_t>(d)] != aim)
                        roll += "+" + std::to_string(d);
                alice.send(roll == "CMD_rollthedice+1" ? roll + "+0" : roll);
            }
        }
        QCOMPARE(myTurns, 7);
        for (int seat : {1, 2})
            for (int c = 1; c <= 7; ++c)
                QVERIFY2(board.rows[static_cast<std::size_t>(seat)][static_cast<std::size_t>(c)] !=
                             -1,
                         qPrintable(QStringLiteral("seat %1 category %2 open").arg(seat).arg(c)));

        // Bob saw the same ending.
        QVERIFY(bob);
        std::string last;
        while (last.rfind("CMD_winner+", 0) != 0) {
            auto m = bob->next();
            QVERIFY2(m, "Bob was not told the winner");
            last = *m;
        }
        QCOMPARE(last, winner);
    }
};

QTEST_MAIN(LoopbackGameTest)
#include "loopbackgame_test.moc"
