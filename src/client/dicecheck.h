// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks the host's dice against the game's sealed seed. It answers the host's commitment with
// a random part of its own, writes down every roll the host announces while the game is
// sealed, and when the host reveals the secret re-derives those rolls and says whether they
// came from the seal. A copy that joined mid-game checks the rolls it saw, from the stream
// position the host gave it.
//
// Per game: idle -> sealed ("CMD_sealcommit") -> mixed ("CMD_sealmix") -> checked
// ("CMD_sealreveal", back to idle). Without a commitment nothing is recorded or said.

#include "client/hostevents.h"
#include "game/sealedseed.h"
#include "net/messages.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace core {

class DiceCheck {
public:
    // Fills the span with the table's part; the system's random source unless replaced.
    using Entropy = std::function<void(std::span<std::uint8_t>)>;
    explicit DiceCheck(Entropy entropy = {});

    // The chat line style of a failed check: red, and a style of its own, so that the red
    // does not spread to the status lines of style 0.
    static constexpr int kFailedLineSender = 10;

    // A line for the chat view: in the table's own colour, or in red for a failed check.
    struct Line {
        std::string text;
        bool failed = false;
        bool operator==(const Line&) const = default;
    };

    // "CMD_sealcommit": returns the "CMD_sealpart" to send, if the seed is still open.
    std::optional<std::string> sealcommit(const fromHost::Sealcommit& event);
    // "CMD_sealmix": a line when this table's part was not mixed in.
    std::optional<Line> sealmix(const fromHost::Sealmix& event, int myslot);
    // "CMD_sealreveal": the check's verdict (nothing when no roll was seen).
    std::optional<Line> sealreveal(const fromHost::Sealreveal& event, int myslot);

    // The rolls, and what the dice show before them: a new game or turn shows none, a roll
    // re-rolls the dice it names, the messages that show all five dice roll them afresh, and a
    // late joiner's catch-up shows them as they are.
    void startgame(const fromHost::Startgame& event);
    void nextplayer(const fromHost::Nextplayer& event);
    void createdice(const fromHost::Createdice& in);
    void bramble(const fromHost::Bramble& in);
    void gotbonus(const fromHost::Gotbonus& in);
    void bonusend(const fromHost::Bonusend& in);
    void loadstats(const fromHost::Loadstats& in);

    int rollsRecorded() const { return static_cast<int>(m_rolls.size()); }

private:
    struct Draw {
        int die = 0;
        int before = 0; // the face it showed before a re-roll; 0 for a fresh roll
        int shown = 0;
    };
    struct Roll {
        int seat = 0;
        std::vector<Draw> draws;
    };
    void record(int seat, bool fresh, const std::vector<msg::DieFace>& pairs);
    // A roll that shows all five dice, when it read whole (pairs not null; the seat read then).
    void recordAllFive(const msg::OptInt& seat, const std::vector<msg::DieFace>* pairs);
    Line verdict(const seal::Secret& secret, int myslot) const;

    Entropy m_entropy;
    std::array<int, 6> m_dice{}; // what dice 1..5 show now, as the host told us
    bool m_sealed = false;
    int m_game = 0;
    seal::Digest m_commitment{};
    std::uint64_t m_start = 0;
    std::optional<seal::PartBytes> m_myPart;
    std::optional<std::vector<seal::Part>> m_mix;
    std::vector<Roll> m_rolls;
};

} // namespace core
