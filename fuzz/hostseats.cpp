// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever clients send, in whatever order they come and go, the seat logic must neither crash
// nor let a name break the lists, a 0xFF slip into a message, or a queue grow past its bound.
// The input is a script: each step picks a connection event (accept, bytes, close, drain,
// login deadline) for a slot.

#include "host/gamehost.h"
#include "host/hostport.h"
#include "net/fields.h"
#include "net/messages.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

class CheckingPort : public core::HostPort {
public:
    std::vector<int> closing;
    void send(int slot, const std::string& message) override {
        if (slot < 1 || slot > core::GameHost::kRefusedSlot) std::abort();
        if (message.find(core::kTerminator) != std::string::npos) std::abort();
    }
    void close(int slot) override { closing.push_back(slot); }
    void notice(const std::string&) override {}
    void armCountdown(int) override {}
    void stopCountdown() override {}
    int botSpeedMs() const override { return 750; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckingPort port;
    core::HostState state(port);
    core::GameHost host(state, nullptr);
    std::size_t at = 0;
    auto next = [&]() -> int { return at < size ? data[at++] : 0; };
    while (at < size) {
        int op = next() % 7;
        int slot = next() % 11;
        switch (op) {
        case 0:
            host.connectionAccepted();
            break;
        case 1: {
            std::size_t length = static_cast<std::size_t>(next());
            if (length > size - at) length = size - at;
            host.bytesReceived(slot,
                               std::string_view(reinterpret_cast<const char*>(data + at), length));
            at += length;
            break;
        }
        case 2:
            host.connectionClosed(slot);
            break;
        case 3:
            host.processNext();
            break;
        case 4:
            host.loginTimedOut(slot);
            break;
        case 6: { // a well-formed request head with fuzzed fields after it
            static const char* const heads[] = {"CMD_logininfo+", "CMD_kickhim+",
                                                "CMD_chat+",      "CMD_action+",
                                                "CMD_justwatch+", "CMD_playasound+"};
            std::string message = heads[next() % 6] + std::to_string(slot) + "+";
            std::size_t length = static_cast<std::size_t>(next() % 16);
            if (length > size - at) length = size - at;
            message.append(reinterpret_cast<const char*>(data + at), length);
            at += length;
            host.bytesReceived(slot, message + core::kTerminator);
            break;
        }
        case 5: // the transport reports what the host asked to close
            for (int s : port.closing)
                host.connectionClosed(s);
            port.closing.clear();
            break;
        }
        if (state.slotcount < 0 || state.slotcount > core::kMaxSlot) std::abort();
        for (int s = 1; s <= core::kMaxSlot; ++s) {
            if (host.pendingFor(s) > 256) std::abort();
            const auto& name = state.slot(s).name;
            if (name.find_first_of("+|") != std::string::npos) std::abort();
            if (!state.slot(s).connected && (!name.empty() || host.pendingFor(s) != 0))
                std::abort();
        }
    }
    while (host.processNext()) {
    }
    return 0;
}
