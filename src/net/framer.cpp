// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/framer.h"

#include "net/fields.h"

namespace core {

std::vector<std::string> Framer::feed(std::string_view bytes) {
    std::vector<std::string> out;
    if (m_overflowed) return out;
    while (!bytes.empty()) {
        auto end = bytes.find(kTerminator);
        if (end == std::string_view::npos) {
            if (m_tail.size() + bytes.size() > kMaxMessageBytes) {
                m_overflowed = true;
                m_tail.clear();
                return out;
            }
            m_tail.append(bytes);
            break;
        }
        if (m_tail.size() + end > kMaxMessageBytes) {
            // Complete, but longer than any message may be: refuse it like an unfinished one.
            m_overflowed = true;
            m_tail.clear();
            return out;
        }
        m_tail.append(bytes.substr(0, end));
        out.push_back(std::move(m_tail));
        m_tail.clear();
        bytes.remove_prefix(end + 1);
    }
    return out;
}

void Framer::reset() {
    m_tail.clear();
    m_tail.shrink_to_fit();
    m_overflowed = false;
}

} // namespace core
