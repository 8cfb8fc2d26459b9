// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/tohost.h"

#include "net/fields.h"
#include "net/hexfield.h"

namespace core::msg::toHost {

namespace {

// Reads a payload field by field; once a number field fails every later read fails too, and
// the request is refused.
class Reader {
public:
    explicit Reader(std::string_view payload) : m_fields(payload) {}
    int num() {
        if (!m_ok) return 0;
        auto v = m_fields.nextInt();
        if (!v) m_ok = false;
        return v.value_or(0);
    }
    std::string text() { return std::string(m_fields.next()); }
    std::string rest() const { return std::string(m_fields.rest()); }
    bool atEnd() const { return m_fields.atEnd(); }
    bool ok() const { return m_ok; }
    template <typename T> std::optional<T> result(T value) const {
        if (!m_ok) return std::nullopt;
        return value;
    }

private:
    FieldReader m_fields;
    bool m_ok = true;
};

template <typename Relay> std::optional<Relay> readRelay(std::string_view payload) {
    Reader r(payload);
    Relay out;
    out.slot = r.num();
    out.text = r.rest();
    return r.result(std::move(out));
}

} // namespace

std::string Logininfo::build(int slot, std::string_view version, std::string_view name) {
    return Builder(word).add(slot).add(version).add(name).done();
}
std::optional<Logininfo> Logininfo::read(std::string_view payload) {
    Reader r(payload);
    Logininfo out;
    out.slot = r.num();
    out.version = r.text();
    out.name = r.rest();
    return r.result(std::move(out));
}

std::string Kickhim::build(int senderSlot, int targetSlot) {
    return Builder(word).add(senderSlot).add(targetSlot).done(true);
}
std::optional<Kickhim> Kickhim::read(std::string_view payload) {
    Reader r(payload);
    Kickhim out;
    out.sender = r.num();
    out.target = r.num();
    return r.result(out);
}

std::string Chat::build(int slot, std::string_view chatText) {
    return Builder(word).add(slot).add(chatText).done();
}
std::optional<Chat> Chat::read(std::string_view payload) {
    return readRelay<Chat>(payload);
}

std::string Action::build(int slot, std::string_view chatText) {
    return Builder(word).add(slot).add(chatText).done();
}
std::optional<Action> Action::read(std::string_view payload) {
    return readRelay<Action>(payload);
}

std::string Playasound::build(int slot, int soundNumber) {
    return Builder(word).add(slot).add("wave" + std::to_string(soundNumber)).done(true);
}
std::optional<Playasound> Playasound::read(std::string_view payload) {
    return readRelay<Playasound>(payload);
}

std::string Startgame::build(std::string_view name, int bonusLimit) {
    return Builder(word).add(name).add(bonusLimit).done(true);
}
std::optional<Startgame> Startgame::read(std::string_view payload) {
    FieldReader r(payload);
    Startgame out;
    out.name = r.next();
    out.bonusLimit = r.nextInt();
    return out;
}

std::string Justwatch::build(int seat, int mode) {
    return Builder(word).add(seat).add(mode).done();
}
std::optional<Justwatch> Justwatch::read(std::string_view payload) {
    Reader r(payload);
    Justwatch out;
    out.seat = r.num();
    out.mode = r.num();
    return r.result(out);
}

std::string Rollthedice::build(int seat, std::span<const int> dice) {
    Builder b(word);
    b.add(seat);
    if (dice.empty()) b.add(0);
    for (int d : dice)
        b.add(d);
    return b.done();
}
std::optional<Rollthedice> Rollthedice::read(std::string_view payload) {
    Reader r(payload);
    Rollthedice out;
    out.seat = r.num();
    while (r.ok() && !r.atEnd())
        out.dice.push_back(r.num());
    return r.result(std::move(out));
}

std::string Selectcat::build(int seat, int category) {
    return Builder(word).add(seat).add(category).done(true);
}
std::optional<Selectcat> Selectcat::read(std::string_view payload) {
    Reader r(payload);
    Selectcat out;
    out.seat = r.num();
    out.category = r.num();
    return r.result(out);
}

std::string Canholdseat::build(int slot) {
    return Builder(word).add(slot).done(true);
}

std::string Leaving::build(int slot) {
    return Builder(word).add(slot).done(true);
}

std::string Reclaimseat::build(int slot, std::string_view token) {
    return Builder(word).add(slot).add(token).done();
}
std::optional<Reclaimseat> Reclaimseat::read(std::string_view payload) {
    Reader r(payload);
    Reclaimseat out;
    out.slot = r.num();
    out.token = r.text();
    return r.result(std::move(out));
}

std::string Sealpart::build(int game, const SealBytes16& part) {
    return Builder(word).add(game).add(toHex(part)).done();
}
std::optional<Sealpart> Sealpart::read(std::string_view payload) {
    FieldReader f(payload);
    Sealpart out;
    auto game = f.nextCount();
    if (!game || !fromHex(f.next(), out.part) || !f.atEnd()) return std::nullopt;
    out.game = *game;
    return out;
}

} // namespace core::msg::toHost
