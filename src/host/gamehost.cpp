#include "host/gamehost.h"

#include "net/fields.h"
#include "net/messages.h"

#include <chrono>
#include <vector>

namespace core {

namespace {
std::int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The requests that only relay text or a sound to everybody, limited per connection.
bool isRelay(std::string_view command) {
    return command == msg::cmd::chat || command == msg::cmd::action ||
           command == msg::cmd::playasound;
}
} // namespace

std::string cleanLoginName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '+' || c == '|' || byte < 0x20 || byte == 0x7f) c = '-';
    }
    return out;
}

GameHost::GameHost(HostState& state, TurnHandler* turns)
    : m_state(state), m_turns(turns), m_nowMs(steadyMs) {}

int GameHost::connectionAccepted(const std::function<void(int slot)>& bind) {
    int slot = 0;
    if (m_state.slotcount == 0) {
        m_state.slotcount = 1;
        slot = 1;
    } else {
        slot = m_state.slotcount;
        for (int n = 1; n <= m_state.slotcount; ++n) {
            if (!m_state.slot(n).connected) {
                slot = n;
                break;
            }
        }
        if (m_state.slot(slot).connected) {
            if (m_state.slotcount < kMaxSlot)
                slot = ++m_state.slotcount;
            else
                slot = kRefusedSlot;
        }
    }

    m_slots[index(slot)] = Connection{};
    m_limiter.reset(slot);
    if (bind) bind(slot);
    if (slot == kRefusedSlot) {
        m_slots[index(slot)].refused = true;
        m_state.port().send(slot, msg::toClient::full());
        m_state.port().close(slot);
        return slot;
    }
    auto& s = m_state.slot(slot);
    s.connected = true;
    // The hosting player may have handed a vacant seat to the computer; whoever sits down now
    // plays it.
    s.justwatch = false;
    m_state.sendTo(slot, msg::toClient::sendlogininfo(slot));
    return slot;
}

bool GameHost::bytesReceived(int slot, std::string_view bytes) {
    if (!HostState::validSlot(slot) || !m_state.slot(slot).connected) return false;
    auto& conn = m_slots[index(slot)];
    if (conn.refused) return false;
    for (auto& message : conn.framer.feed(bytes)) {
        if (!m_queue.push(slot, std::move(message))) {
            refuse(slot);
            return false;
        }
    }
    if (conn.framer.overflowed()) {
        refuse(slot);
        return false;
    }
    return true;
}

void GameHost::refuse(int slot) {
    auto& conn = m_slots[index(slot)];
    if (conn.refused) return;
    conn.refused = true;
    // Nothing more from this connection is believed, including what it already queued.
    m_queue.dropSlot(slot);
    m_state.port().close(slot);
}

void GameHost::connectionClosed(int slot) {
    if (!HostState::validSlot(slot)) return;
    auto& s = m_state.slot(slot);
    if (!s.connected) return;
    m_state.broadcastExcept(slot, msg::toClient::playerdisconnected(slot, s.name));
    s.connected = false;
    s.name.clear();
    s.justwatch = false;
    m_slots[index(slot)] = Connection{};
    m_queue.dropSlot(slot);
    if (m_turns) m_turns->seatVacated(slot);
}

void GameHost::loginTimedOut(int slot) {
    if (!HostState::validSlot(slot) || !m_state.slot(slot).connected) return;
    if (!m_slots[index(slot)].loggedIn) refuse(slot);
}

bool GameHost::processNext() {
    auto entry = m_queue.pop();
    if (!entry) return false;
    if (isRelay(splitEntry(entry->text).command) && !m_limiter.allow(entry->slot, m_nowMs()))
        return true;
    dispatch(entry->slot, entry->text);
    return true;
}

void GameHost::dispatch(int slot, std::string_view entry) {
    if (!HostState::validSlot(slot)) return;
    auto [command, payload] = splitEntry(entry);
    static constexpr std::array<msg::Route<Handler>, 9> kRoutes{{
        {msg::cmd::logininfo, &GameHost::receivedlogininfo},
        {msg::cmd::kickhim, &GameHost::kickhim},
        {msg::cmd::chat, &GameHost::chat},
        {msg::cmd::playasound, &GameHost::playasound},
        {msg::cmd::action, &GameHost::action},
        {msg::cmd::startgame, &GameHost::startgame},
        {msg::cmd::justwatch, &GameHost::justwatch},
        {msg::cmd::rollthedice, &GameHost::rollthedice},
        {msg::cmd::selectcat, &GameHost::selectcat},
    }};
    static_assert(msg::coversExactly(kRoutes, msg::kToHost));
    // Unknown command words and entries without "+" are dropped.
    if (const Handler* handler = msg::findHandler(kRoutes, command))
        (this->**handler)(slot, payload);
}

void GameHost::timer1Tick() {
    if (m_turns) m_turns->timer1Timer();
}

void GameHost::receivedlogininfo(int sender, std::string_view payload) {
    auto login = msg::parseLogininfo(payload);
    if (!login) return;
    // The slot field is the client's echo of what it was told; the connection decides.
    auto& me = m_state.slot(sender);
    me.name = cleanLoginName(login->name);
    me.connected = true;
    m_slots[index(sender)].loggedIn = true;

    m_state.broadcast(msg::toClient::newplayerinfo(sender, me.name));

    std::vector<msg::PlayerEntry> others;
    for (int n = 1; n <= m_state.slotcount && n <= kMaxSlot; ++n) {
        const auto& s = m_state.slot(n);
        if (n != sender && s.connected) others.push_back({n, s.name, s.justwatch});
    }
    if (!others.empty()) m_state.sendTo(sender, msg::toClient::existingplayers(others));

    if (login->version != kVersionText) {
        m_state.sendTo(1, msg::toClient::havewrongversion(me.name));
        m_state.sendTo(sender, msg::toClient::wrongversion());
    }

    if (m_state.turn.gamerunning) sendCatchUp(sender);
}

void GameHost::sendCatchUp(int slot) {
    const auto& turn = m_state.turn;
    static const PlayerSlot noSeat;
    const PlayerSlot& current =
        HostState::validSeat(turn.currentseat) ? m_state.slot(turn.currentseat) : noSeat;
    m_state.sendTo(slot,
                   msg::toClient::loadstats(slot, turn.currentseat, turn.bonuslimit, current.rolls,
                                            turn.round, current.workingcat, turn.dice));
    std::vector<msg::SeatScores> seats;
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        const auto& s = m_state.slot(seat);
        msg::SeatScores entry;
        entry.seat = seat;
        entry.ingame = s.ingame;
        for (int c = 1; c <= kCategoryCount; ++c)
            entry.rows[static_cast<std::size_t>(c)] = s.score(c);
        entry.rows[8] = s.total;
        seats.push_back(entry);
    }
    m_state.sendTo(slot, msg::toClient::loadscores(slot, seats));
}

void GameHost::kickhim(int sender, std::string_view payload) {
    auto kick = msg::parseKickhim(payload);
    if (!kick) return;
    // Only the hosting player removes players, and only in its own name.
    if (sender != 1 || kick->sender != sender) return;
    if (!HostState::validSlot(kick->target)) return;
    if (m_state.slot(kick->target).connected) refuse(kick->target);
}

void GameHost::chat(int sender, std::string_view payload) {
    auto said = msg::parseSlotAndRest(payload);
    if (!said || said->slot != sender) return;
    m_state.broadcast(msg::toClient::chat(sender, m_state.slot(sender).name, said->rest));
}

void GameHost::action(int sender, std::string_view payload) {
    auto did = msg::parseSlotAndRest(payload);
    if (!did || did->slot != sender) return;
    m_state.broadcast(msg::toClient::action(sender, m_state.slot(sender).name, did->rest));
}

void GameHost::playasound(int sender, std::string_view payload) {
    auto sound = msg::parseSlotAndRest(payload);
    if (!sound || sound->slot != sender) return;
    m_state.broadcast(msg::toClient::playasound(sender, sound->rest));
}

void GameHost::startgame(int sender, std::string_view payload) {
    if (sender != 1) return;
    if (m_turns) m_turns->startgame(payload);
}

void GameHost::justwatch(int sender, std::string_view payload) {
    auto request = msg::parseJustwatch(payload);
    if (!request || !HostState::validSeat(request->seat)) return;
    // Another seat may be switched only by the hosting player.
    if (request->seat != sender && sender != 1) return;
    auto& seat = m_state.slot(request->seat);
    if (request->mode == msg::kJustWatchOff) {
        seat.justwatch = false;
        m_state.broadcast(msg::toClient::justwatching(request->seat, msg::kJustWatchOff));
    } else if (request->mode == msg::kJustWatchOn && m_state.turn.gamerunning) {
        seat.justwatch = true;
        m_state.broadcast(msg::toClient::justwatching(request->seat, msg::kJustWatchOn));
        if (m_turns) m_turns->justWatchStarted(request->seat);
    }
}

// A seat on "Just Watch" is the computer's to play: its owner's requests would play it twice.
bool GameHost::mayPlay(int sender, std::string_view payload) const {
    return FieldReader(payload).nextInt() == sender && !m_state.slot(sender).justwatch;
}

void GameHost::rollthedice(int sender, std::string_view payload) {
    if (!mayPlay(sender, payload)) return;
    if (m_turns) m_turns->rollthedice(payload);
}

void GameHost::selectcat(int sender, std::string_view payload) {
    if (!mayPlay(sender, payload)) return;
    if (m_turns) m_turns->selectcat(payload);
}

} // namespace core
