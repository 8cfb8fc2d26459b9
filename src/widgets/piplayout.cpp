// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/piplayout.h"

namespace ui {

const std::array<std::vector<QPoint>, 7>& pipLayout() {
    static const std::array<std::vector<QPoint>, 7> layout = {{
        {},
        {{1, 1}},
        {{2, 0}, {0, 2}},
        {{2, 0}, {1, 1}, {0, 2}},
        {{0, 0}, {2, 0}, {0, 2}, {2, 2}},
        {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}},
        {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {2, 2}},
    }};
    return layout;
}

} // namespace ui
