// SPDX-License-Identifier: GPL-3.0-or-later
// Time to write one chat line into a view that already holds many lines, painting included.
// A line is laid out once when written; only the visible part of the view is painted, so the
// cost per line should not grow with the number of lines held.

#include "chat/qt/chatview.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <string>

namespace {

std::string sampleLine(int i) {
    const int sender = 1 + i % 9;
    switch (i % 4) {
    case 0:
        return std::to_string(sender) + "+Player" + std::to_string(sender) +
               " chats: nice roll there, that was close :)#1" + std::to_string(i % 8);
    case 1:
        return std::to_string(sender) + "+Player" + std::to_string(sender) +
               " chats: see www.example.com/page" + std::to_string(i) + " for the rules";
    case 2:
        return "0+Player" + std::to_string(sender) + " is Connected.";
    default:
        return std::to_string(sender) + "+Player" + std::to_string(sender) +
               " says: Good Game Everyone!";
    }
}

// Average microseconds per line for `count` lines written after the view holds `start`.
double timeAppends(ui::ChatView& view, int start, int count, bool newColourEachLine,
                   bool paint = true) {
    view.clear();
    for (int i = 0; i < start; ++i)
        view.addlinetochat(sampleLine(i), 0x00008000);
    view.viewport()->repaint();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        const std::uint32_t colour = newColourEachLine ? 0x00000080u + 0x10u * (i % 8) : 0x8000u;
        view.addlinetochat(sampleLine(start + i), colour);
        if (paint) view.viewport()->repaint(); // paint now, as the event loop would after each line
    }
    return timer.nsecsElapsed() / 1000.0 / count;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::ChatView view;
    view.resize(420, 300);
    view.show();
    QApplication::processEvents();

    const int count = 1000;
    for (int start : {0, 10000}) {
        std::printf("chat view, %5d lines held: %7.1f us per appended line (same colour), "
                    "%7.1f us (sender recoloured each line)\n",
                    start, timeAppends(view, start, count, false),
                    timeAppends(view, start, count, true));
    }
    std::printf("chat view, 10000 lines held: %7.1f us per appended line without painting\n",
                timeAppends(view, 10000, count, false, false));
    QElapsedTimer timer;
    timer.start();
    view.setTextSize(12); // lays out all lines again
    std::printf("relayout of %zu lines after a text size change: %.1f ms\n",
                view.model().lines().size(), timer.nsecsElapsed() / 1e6);
    return 0;
}
