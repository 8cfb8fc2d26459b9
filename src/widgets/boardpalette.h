// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few colours every painted piece of the board shares, so the dice, buttons, boxes and
// marks read as one set: a warm red for the dice, cream and gold for paper and trim. Windows
// beside the board take their paper and trim from here too.
#include <QColor>
#include <QString>

namespace ui::BoardPalette {

inline QColor dieLight() {
    return QColor(255, 112, 96);
}
inline QColor dieRed() {
    return QColor(214, 30, 34);
}
inline QColor dieDark() {
    return QColor(128, 10, 14);
}
inline QColor dieEdge() {
    return QColor(96, 6, 10);
}

inline QColor pip() {
    return QColor(255, 255, 255);
}
inline QColor pipShade() {
    return QColor(222, 214, 210);
}

// The paper the board and the chat card lie on, and the felt of the dice tray.
inline QColor paper() {
    return QColor(255, 253, 244);
}
inline QColor felt() {
    return QColor(30, 92, 58);
}

inline QColor cream() {
    return QColor(254, 248, 211);
}
inline QColor paleGold() {
    return QColor(253, 242, 185);
}
inline QColor gold() {
    return QColor(211, 186, 44);
}
inline QColor deepGold() {
    return QColor(163, 128, 18);
}
inline QColor rimLight() {
    return QColor(255, 241, 178);
}

inline QColor ink() {
    return QColor(40, 32, 28);
}

// A colour as a style sheet writes it: "rgb(254,248,211)".
inline QString css(const QColor& c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace ui::BoardPalette
