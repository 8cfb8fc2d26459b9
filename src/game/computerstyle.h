// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which computer player plays the seats nobody present plays: the classic one, which keeps the
// dice of the face it aims at, or the expert, which plays the solver's best moves.

#include <optional>
#include <string_view>

namespace core {

enum class ComputerStyle { Classic, Expert };

// The words of the settings file and the command line.
inline constexpr std::string_view kComputerClassic = "classic";
inline constexpr std::string_view kComputerExpert = "expert";

inline std::optional<ComputerStyle> parseComputerStyle(std::string_view text) {
    if (text == kComputerClassic) return ComputerStyle::Classic;
    if (text == kComputerExpert) return ComputerStyle::Expert;
    return std::nullopt;
}

inline std::string_view computerStyleName(ComputerStyle style) {
    return style == ComputerStyle::Expert ? kComputerExpert : kComputerClassic;
}

} // namespace core
