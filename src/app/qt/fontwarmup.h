// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the system's font configuration on a second thread while the application connects to
// the display, leaving Type 1 fonts out. Left to itself, Qt reads it (configuration files and
// font caches, a few milliseconds) the first time the table window measures a text, in the
// middle of building the window; on a machine with a spare core that wait leaves the way to
// the first picture. Nothing in the process may use fontconfig before wait() returns.
#include <thread>

namespace ui {

class FontWarmUp {
public:
    FontWarmUp();  // starts the thread when the process has fontconfig
    ~FontWarmUp(); // waits for it
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Returns once the configuration is read; call it before anything lays out text.
    void wait();

private:
    std::thread m_thread;
};

} // namespace ui
