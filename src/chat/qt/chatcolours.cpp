// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/chatcolours.h"

#include "chat/colourtext.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace ui {

QColor toQColor(std::uint32_t colour) {
    if ((colour & 0xFF000000u) == 0x80000000u) {
        // Theme colours in the order of their names (scroll bar, background, ... info back).
        using R = QPalette::ColorRole;
        static constexpr std::array<R, 25> roles{R::Button,
                                                 R::Window,
                                                 R::Highlight,
                                                 R::Mid,
                                                 R::Window,
                                                 R::Base,
                                                 R::Shadow,
                                                 R::WindowText,
                                                 R::Text,
                                                 R::HighlightedText,
                                                 R::Button,
                                                 R::Button,
                                                 R::Mid,
                                                 R::Highlight,
                                                 R::HighlightedText,
                                                 R::Button,
                                                 R::Dark,
                                                 R::PlaceholderText,
                                                 R::ButtonText,
                                                 R::WindowText,
                                                 R::Light,
                                                 R::Shadow,
                                                 R::Midlight,
                                                 R::ToolTipText,
                                                 R::ToolTipBase};
        const std::uint32_t index = colour & 0x00FFFFFFu;
        if (index < roles.size()) return QGuiApplication::palette().color(roles[index]);
    }
    return QColor(core::colourRed(colour), core::colourGreen(colour), core::colourBlue(colour));
}

std::uint32_t fromQColor(const QColor& colour) {
    return core::colourFromRgb(colour.red(), colour.green(), colour.blue());
}

} // namespace ui
