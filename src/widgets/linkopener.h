// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hands a web address to the desktop's browser. The way out is a replaceable handler, so tests
// (and anyone who needs another route) can see what would be opened without a browser.
// Addresses are handed over as given, "www." forms without a scheme included.
#include <QString>
#include <functional>

namespace ui {

class LinkOpener {
public:
    // Returns false when the address could not be handed over at all.
    using Handler = std::function<bool(const QString& address)>;

    // False for an empty address or when the handler refuses it; the browser's own outcome
    // is not awaited.
    static bool open(const QString& address);

    static void setHandler(Handler handler);
    static void resetHandler();
    // The default route: QDesktopServices with the address read as a user would type it.
    static bool openWithDesktop(const QString& address);

    // Swaps the handler for the life of the object (tests).
    class ScopedHandler {
    public:
        explicit ScopedHandler(Handler handler);
        ~ScopedHandler();
        ScopedHandler(const ScopedHandler&) = delete;
        ScopedHandler& operator=(const ScopedHandler&) = delete;

    private:
        Handler m_previous;
    };

private:
    static Handler& current();
};

} // namespace ui
