// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/qt/quitsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace ui {

namespace {

int g_wake[2] = {-1, -1};
volatile std::sig_atomic_t g_exitOnRepeat = 0;
volatile std::sig_atomic_t g_received = 0;

extern "C" void onQuit(int signo) {
    if (g_exitOnRepeat && g_received) ::_exit(128 + signo);
    g_received = 1;
    char byte = 1;
    [[maybe_unused]] auto written = ::write(g_wake[0], &byte, 1);
}

} // namespace

QuitSignals::QuitSignals(std::function<void()> onSignal, QObject* parent, Repeat repeat)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
    if (g_wake[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_wake) != 0) return;
    g_received = 0;
    g_exitOnRepeat = repeat == Repeat::ExitAtOnce;
    m_notifier = new QSocketNotifier(g_wake[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] auto got = ::read(g_wake[1], &byte, 1);
        if (!g_exitOnRepeat) g_received = 0;
        if (m_onSignal) m_onSignal();
    });
    struct sigaction action {};
    action.sa_handler = onQuit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    if (!m_notifier) return;
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    delete m_notifier;
    ::close(g_wake[0]);
    ::close(g_wake[1]);
    g_wake[0] = g_wake[1] = -1;
}

} // namespace ui
