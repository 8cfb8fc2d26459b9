// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz-max-len: 8192
// Any text read as a settings file must come back out byte for byte, and writing one key must
// change nothing but that key: every other line survives, and the key reads back.

#include "chat/inifile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    core::IniFile ini;
    if (!ini.setText(text)) return 0;
    if (ini.text() != text) std::abort();

    // The first line names the key and value to write (section "bramblies").
    const std::size_t nl = text.find('\n');
    const std::string_view head = text.substr(0, nl == std::string_view::npos ? 0 : nl);
    const std::size_t eq = head.find('=');
    std::string key = std::string(head.substr(0, eq == std::string_view::npos ? 0 : eq));
    std::string value = eq == std::string_view::npos ? "v" : std::string(head.substr(eq + 1));
    if (key.find_first_of("=[;#\r\n \t") != std::string::npos || key.empty()) key = "Fuzzkey";
    ini.writeString("bramblies", key, value);

    // What was written reads back as written (trimmed, line breaks made blanks).
    std::string expected = value;
    for (char& c : expected)
        if (c == '\r' || c == '\n') c = ' ';
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!expected.empty() && blank(expected.back()))
        expected.pop_back();
    std::size_t lead = 0;
    while (lead < expected.size() && blank(expected[lead]))
        ++lead;
    expected.erase(0, lead);
    if (ini.value("bramblies", key) != expected) std::abort();

    // The result reads the same way again.
    core::IniFile again;
    if (!again.setText(ini.text())) return 0;
    if (again.text() != ini.text()) std::abort();
    return 0;
}
