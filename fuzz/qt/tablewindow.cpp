// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 4096
// fuzz-rss-mb: 8192
// The real table window, offscreen, fed what a host might send: the input is cut at 0xFF into
// messages, each handled by the window's own code (board, chat, sounds, spectator list,
// tally). The first byte picks our slot. Nothing may crash, and queued work (a close, a
// redraw) runs between messages.

#include "client/qt/tchat.h"
#include "client/tableclient.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "fuzz_tablewindow";
    static char* argv[] = {name, nullptr};
    static QApplication* a = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_LOGGING_RULES", "*=false");
        return new QApplication(argc, argv);
    }();
    return *a;
}

} // namespace

// Fontconfig keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    app();
    auto window = std::make_unique<ui::Tchat>();
    window->setMessageBox([](const QString&) {});
    window->client().handleMessage("CMD_sendlogininfo+" + std::to_string(1 + data[0] % 9));
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\xFF', start);
        if (end == std::string_view::npos) end = rest.size();
        window->client().handleMessage(rest.substr(start, end - start));
        QCoreApplication::processEvents();
        start = end + 1;
    }
    window.reset();
    QCoreApplication::processEvents();
    // Outside an event loop deleteLater() would keep every input's leftovers to the end.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
