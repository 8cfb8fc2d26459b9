// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/xmpp/presenceelement.h"

#include <gloox/tag.h>

namespace lobby {

namespace {

// Cuts to at most `bytes` without splitting a UTF-8 character.
std::string cut(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

PresenceElement::PresenceElement(int type, Attributes attributes)
    : gloox::StanzaExtension(type), m_name(type == kTableType ? kTableElement : "activity"),
      m_filter("/presence/" + m_name + "[@xmlns='" + kTableNamespace + "']"),
      m_attributes(std::move(attributes)) {}

gloox::StanzaExtension* PresenceElement::newInstance(const gloox::Tag* tag) const {
    Attributes read;
    if (tag) {
        for (const gloox::Tag::Attribute* attribute : tag->attributes()) {
            if (read.size() == kMaxAttributes) break;
            const std::string& name = attribute->name();
            if (name == "xmlns" || name.empty() || name.size() > kMaxAttributeName) continue;
            read.emplace_back(name, cut(attribute->value(), kMaxAttributeValue));
        }
    }
    return new PresenceElement(extensionType(), std::move(read));
}

gloox::Tag* PresenceElement::tag() const {
    auto* element = new gloox::Tag(m_name);
    element->setXmlns(kTableNamespace);
    for (const auto& [name, value] : m_attributes)
        element->addAttribute(name, value);
    return element;
}

} // namespace lobby
