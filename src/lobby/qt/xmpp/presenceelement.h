// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An element of our own namespace (lobby/lobbytable.h) in a room presence, carried by gloox
// as a stanza extension: the table an occupant hosts, <table xmlns="urn:x-bramblies:table:1"
// .../>, and what it is doing, <activity xmlns="urn:x-bramblies:table:1" state="..."/>.
// Whatever an occupant sends, what is read is bounded: at most kMaxAttributes attributes,
// names longer than kMaxAttributeName dropped, values cut to kMaxAttributeValue bytes.

#include "lobby/lobbytable.h"

#include <gloox/stanzaextension.h>

#include <cstddef>
#include <string>

namespace lobby {

class PresenceElement : public gloox::StanzaExtension {
public:
    static constexpr std::size_t kMaxAttributes = 32;
    static constexpr std::size_t kMaxAttributeName = 64;
    static constexpr std::size_t kMaxAttributeValue = 256; // bytes

    // The gloox extension types of our two elements.
    static constexpr int kTableType = gloox::ExtUser + 31;
    static constexpr int kActivityType = gloox::ExtUser + 32;

    // `type` is kTableType or kActivityType; it chooses the element's name.
    explicit PresenceElement(int type, Attributes attributes = {});

    const Attributes& attributes() const { return m_attributes; }

    const std::string& filterString() const override { return m_filter; }
    gloox::StanzaExtension* newInstance(const gloox::Tag* tag) const override;
    gloox::Tag* tag() const override;
    gloox::StanzaExtension* clone() const override { return new PresenceElement(*this); }

private:
    std::string m_name;
    std::string m_filter;
    Attributes m_attributes;
};

} // namespace lobby
