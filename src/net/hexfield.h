// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Binary values in message fields: lower-case hexadecimal, two digits per byte.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

std::string toHex(std::span<const std::uint8_t> bytes);
// Exactly 2 * out.size() hexadecimal digits (either case) into out; false for anything else,
// and out may then be partly written.
bool fromHex(std::string_view text, std::span<std::uint8_t> out);

} // namespace core
