// SPDX-License-Identifier: GPL-3.0-or-later
// Messages from the host drive the whole table client. Whatever arrives, cut at 0xFF into
// entries and mixed with the local player's clicks, must leave the board consistent and never
// crash.

#include "client/tableclient.h"
#include "nullclientport.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    fuzzsupport::NullPort port;
    // The table's part of a sealed seed is fixed, so each input runs the same way.
    core::TableClient client(port, 1, [](std::span<std::uint8_t> out) {
        for (auto& b : out)
            b = 0x11;
    });
    client.processparams({"Fuzz", "127.0.0.1", "true"});
    client.handleMessage("CMD_sendlogininfo+" + std::to_string(1 + data[0] % 9));
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\xFF', start);
        if (end == std::string_view::npos) end = rest.size();
        const std::string_view entry = rest.substr(start, end - start);
        client.handleMessage(entry);
        // A short entry doubles as a click, so controls run between messages.
        if (entry.size() == 1) {
            const int c = static_cast<unsigned char>(entry[0]);
            switch (c % 6) {
            case 0:
                client.button_rollClick();
                break;
            case 1:
                client.button_yesClick();
                break;
            case 2:
                client.image_dMouseUp(c / 6 % 7, core::MouseButton::Left);
                break;
            case 3:
                client.categoryClick(c / 6 % 9);
                break;
            case 4:
                client.dicetimerTimer();
                break;
            case 5:
                client.label_playernameMouseUp(c / 6 % 10);
                client.RemoveFromGame1Click();
                break;
            }
        }
        start = end + 1;
    }
    const core::BoardModel& b = client.board();
    for (int d = 1; d <= core::kDiceCount; ++d)
        if (b.die(d).pips < 0 || b.die(d).pips > 6) std::abort();
    if (b.rollsFrame() < -1 || b.rollsFrame() > 3) std::abort();
    return 0;
}
