// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the chat's 32-bit colour values (red in the low byte, a top byte of
// 0x80 for desktop theme colours) and QColor.

#include <QColor>

#include <cstdint>

namespace ui {

// Theme colours come from the application palette; any other value uses its low 24 bits.
QColor toQColor(std::uint32_t colour);
// A plain colour value (top byte 0) for a QColor.
std::uint32_t fromQColor(const QColor& colour);

} // namespace ui
