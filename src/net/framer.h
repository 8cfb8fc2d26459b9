// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cuts one connection's byte stream into messages at the terminator byte 0xFF.
//
// TCP may split a message across reads or join several in one read, so the bytes after the
// last terminator are kept and joined to the next read of the same connection. A peer that
// sends more than kMaxMessageBytes without a terminator is refused: the framer stops
// accepting bytes and reports the overflow, and the owner closes the connection.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

class Framer {
public:
    static constexpr std::size_t kMaxMessageBytes = 64 * 1024;

    // Appends the bytes of one read and returns every message completed by them, in order,
    // without terminators (two terminators in a row give an empty message). Returns nothing
    // more once the framer has overflowed.
    std::vector<std::string> feed(std::string_view bytes);

    // True once a message grew past kMaxMessageBytes; the connection should be closed.
    bool overflowed() const { return m_overflowed; }
    // Bytes held of an unfinished message.
    std::size_t pendingBytes() const { return m_tail.size(); }
    // Forgets everything (the connection's slot is being reused).
    void reset();

private:
    std::string m_tail;
    bool m_overflowed = false;
};

} // namespace core
