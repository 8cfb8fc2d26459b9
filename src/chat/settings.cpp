// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/settings.h"

#include "chat/colourtext.h"
#include "chat/inifile.h"
#include "net/fields.h"

#include <filesystem>
#include <utility>

namespace core {

namespace {

// Keys, as written.
constexpr std::string_view kKeyTextSize = "Textsize";
constexpr std::string_view kKeyTop = "Top";
constexpr std::string_view kKeyLeft = "Left";
constexpr std::string_view kKeyWidth = "Width";
constexpr std::string_view kKeyHeight = "Height";
constexpr std::string_view kKeyTextColour = "Textcolor";
constexpr std::string_view kKeyBotSpeed = "Botspeed";
constexpr std::string_view kKeyPlaySounds = "Playsounds";
constexpr std::string_view kKeyRemindMe = "Remindme";
constexpr std::string_view kKeyTurnSound = "Turnsound";
constexpr std::string_view kKeyChatterSounds = "Playerphrasesounds";
constexpr std::string_view kKeyRolls = "Rolls";
constexpr std::string_view kKeySpeakEvents = "Speakgameevents";
// "classic" or "expert"; anything else is the classic player.
constexpr std::string_view kKeyComputer = "Computerplayer";
constexpr std::string_view kComputerExpertText = "expert";
constexpr std::string_view kKeySpeakChat = "Speakchat";
constexpr std::string_view kKeyHoldSeats = "Holdseats";
// Followed by the host's "address:port".
constexpr std::string_view kKeySeatTokenPrefix = "Seattoken@";
constexpr std::string_view kDefaultTextColourText = "clblack";

// Values that a hand-edited or damaged file may hold but no window can use: a 100000-point
// font or a window a million pixels wide would exhaust memory when drawn. Such values are
// treated like text that is not a number.
constexpr int kMinTextSize = 1;
constexpr int kMaxTextSize = 96;
constexpr int kMaxEdge = 32767;
constexpr int kMaxWindowSize = 8192;

// "Phrase1" to "Phrase10": the key of the phrase at index n.
std::string phraseKey(std::size_t n) {
    return "Phrase" + std::to_string(n + 1);
}

int readInt(const IniFile& ini, std::string_view key, int def, int lo, int hi) {
    const auto text = ini.value(Settings::kSection, key);
    if (!text) return def;
    const auto n = parseInt(*text);
    if (!n || *n < lo || *n > hi) return def;
    return *n;
}

} // namespace

ClosePlacement placementOnClose(const Placement& current, const Placement& last, int workAreaWidth,
                                int workAreaHeight) {
    ClosePlacement out{false, current};
    if (current == last) return out;
    out.write = true;
    if (current.width > workAreaWidth) out.placement.width -= 15;
    if (current.height > workAreaHeight) out.placement.height -= 15;
    return out;
}

Settings::Settings(std::filesystem::path file) : m_file(std::move(file)) {}

bool Settings::isTextSizeItem(int size) {
    return size == 8 || size == 10 || size == 12 || size == 14;
}

bool Settings::loadinifile() {
    IniFile ini;
    const bool readable = ini.load(m_file) != IniFile::LoadResult::Unreadable;
    noteRefusal(ini.refusal());
    takeValues(ini);
    m_loaded = true;
    m_changed = 0;
    return readable;
}

void Settings::takeValues(const IniFile& ini) {
    const std::string_view s = kSection;

    m_textSize = readInt(ini, kKeyTextSize, kDefaultTextSize, kMinTextSize, kMaxTextSize);
    m_last.top = readInt(ini, kKeyTop, Placement{}.top, -kMaxEdge, kMaxEdge);
    m_last.left = readInt(ini, kKeyLeft, Placement{}.left, -kMaxEdge, kMaxEdge);
    m_last.width = readInt(ini, kKeyWidth, Placement{}.width, 1, kMaxWindowSize);
    m_last.height = readInt(ini, kKeyHeight, Placement{}.height, 1, kMaxWindowSize);

    // Botspeed, Playsounds and Remindme take the text just read for the key before them as
    // their default; files written by the phrase editor alone rely on that.
    const std::string colourText = ini.readString(s, kKeyTextColour, kDefaultTextColourText);
    m_textColour = readColourText(colourText).value_or(kDefaultTextColour);

    const std::string botText = ini.readString(s, kKeyBotSpeed, colourText);
    m_botSpeed = botText == "1000" ? kBotSlow : botText == "350" ? kBotFast : kBotNormal;

    for (std::size_t n = 0; n < m_phrases.size(); ++n)
        m_phrases[n] = ini.readString(s, phraseKey(n), "");

    const std::string playText = ini.readString(s, kKeyPlaySounds, m_phrases[9]);
    m_playSounds = playText != "false";
    const std::string remindText = ini.readString(s, kKeyRemindMe, playText);
    m_remindMe = remindText != "false";
    m_turnSound = ini.readString(s, kKeyTurnSound, "0") == "1" ? 1 : 0;
    m_playChatterSounds = ini.readString(s, kKeyChatterSounds, "true") != "false";

    const std::string rollsText = ini.readString(s, kKeyRolls, "0");
    m_rolls = rollsText == "1" ? 1 : rollsText == "2" ? 2 : rollsText == "5" ? 5 : 0;
    m_speakEvents = ini.readString(s, kKeySpeakEvents, "false") == "true";
    m_speakChat = ini.readString(s, kKeySpeakChat, "false") == "true";
    m_holdSeats = ini.readString(s, kKeyHoldSeats, "true") != "false";

    m_expertComputer = ini.readString(s, kKeyComputer, "classic") == kComputerExpertText;
}

void Settings::noteRefusal(IniFile::Refusal refusal) {
    if (m_noticeGiven || refusal == IniFile::Refusal::None) return;
    const std::string path = m_file.string();
    switch (refusal) {
    case IniFile::Refusal::TooLarge:
        m_notice = "The settings file " + path +
                   " is too large to read: it was not read and will not be changed.";
        break;
    case IniFile::Refusal::NotReadable:
        m_notice = "The settings file " + path +
                   " cannot be read: it was not read and will not be changed.";
        break;
    case IniFile::Refusal::ReadOnly:
        m_notice = "The settings file " + path + " is read-only: settings will not be saved.";
        break;
    case IniFile::Refusal::None:
        break;
    }
}

std::optional<std::string> Settings::takeNotice() {
    if (!m_notice) return std::nullopt;
    m_noticeGiven = true;
    return std::exchange(m_notice, std::nullopt);
}

bool Settings::write(unsigned keys, const Placement& placement) {
    if (keys == 0) return true;
    IniFile ini;
    if (ini.load(m_file) == IniFile::LoadResult::Unreadable) return false;
    const std::string_view s = kSection;
    auto put = [&](std::string_view key, const std::string& value) {
        ini.writeString(s, key, value);
    };
    auto flag = [](bool on) { return std::string(on ? "true" : "false"); };

    if (keys & kTextSize) put(kKeyTextSize, std::to_string(m_textSize));
    if (keys & kPlacement) {
        put(kKeyTop, std::to_string(placement.top));
        put(kKeyLeft, std::to_string(placement.left));
        put(kKeyWidth, std::to_string(placement.width));
        put(kKeyHeight, std::to_string(placement.height));
    }
    // A colour that cannot be written as text leaves the key as it was.
    if (keys & kTextColour)
        if (const auto text = writeColourText(m_textColour)) put(kKeyTextColour, *text);
    if (keys & kBotSpeed) put(kKeyBotSpeed, std::to_string(m_botSpeed));
    if (keys & kRolls) put(kKeyRolls, std::to_string(m_rolls));
    if (keys & kTurnSound) put(kKeyTurnSound, std::to_string(m_turnSound));
    if (keys & kPlaySounds) put(kKeyPlaySounds, flag(m_playSounds));
    if (keys & kRemindMe) put(kKeyRemindMe, flag(m_remindMe));
    if (keys & kChatterSounds) put(kKeyChatterSounds, flag(m_playChatterSounds));
    if (keys & kSpeakEvents) put(kKeySpeakEvents, flag(m_speakEvents));
    if (keys & kComputer)
        put(kKeyComputer, m_expertComputer ? std::string(kComputerExpertText) : "classic");
    if (keys & kSpeakChat) put(kKeySpeakChat, flag(m_speakChat));
    if (keys & kHoldSeats) put(kKeyHoldSeats, flag(m_holdSeats));
    return ini.save(m_file);
}

bool Settings::saveinifile() {
    const Placement placement = m_placementSource ? m_placementSource() : m_last;
    return write(m_loaded ? unsigned(kAll) : m_changed, placement);
}

bool Settings::change(unsigned key) {
    if (!m_loaded) m_changed |= key;
    return saveinifile();
}

bool Settings::setTextSize(int points) {
    m_textSize = points;
    return change(kTextSize);
}

bool Settings::setTextColour(std::uint32_t colour) {
    m_textColour = colour;
    return change(kTextColour);
}

bool Settings::setBotSpeed(int ms) {
    m_botSpeed = ms;
    return change(kBotSpeed);
}

bool Settings::setExpertComputer(bool expert) {
    m_expertComputer = expert;
    return change(kComputer);
}

bool Settings::setPlaySounds(bool on) {
    m_playSounds = on;
    return change(kPlaySounds);
}

bool Settings::setRemindMe(bool on) {
    m_remindMe = on;
    return change(kRemindMe);
}

bool Settings::setTurnSound(int choice) {
    m_turnSound = choice == 1 ? 1 : 0;
    return change(kTurnSound);
}

bool Settings::setPlayChatterSounds(bool on) {
    m_playChatterSounds = on;
    return change(kChatterSounds);
}

bool Settings::setSpeakEvents(bool on) {
    m_speakEvents = on;
    return change(kSpeakEvents);
}

bool Settings::setSpeakChat(bool on) {
    m_speakChat = on;
    return change(kSpeakChat);
}

bool Settings::setHoldSeats(bool on) {
    m_holdSeats = on;
    return change(kHoldSeats);
}

std::string Settings::seatToken(const std::string& where) const {
    IniFile ini;
    if (ini.load(m_file) == IniFile::LoadResult::Unreadable) return {};
    return ini.readString(kSection, std::string(kKeySeatTokenPrefix) + where, "");
}

bool Settings::setSeatToken(const std::string& where, const std::string& token) {
    IniFile ini;
    if (ini.load(m_file) == IniFile::LoadResult::Unreadable) return false;
    const std::string key = std::string(kKeySeatTokenPrefix) + where;
    // Nothing to forget: the file stays as it is.
    if (token.empty() && !ini.value(kSection, key)) return true;
    ini.writeString(kSection, key, token);
    // A seat token lets whoever reads it take the seat: the file becomes the owner's alone.
    namespace fs = std::filesystem;
    const auto ownerOnly = fs::perms::group_all | fs::perms::others_all;
    std::error_code ec;
    if (!token.empty() && fs::exists(m_file, ec))
        fs::permissions(m_file, ownerOnly, fs::perm_options::remove, ec);
    if (!ini.save(m_file)) return false;
    if (!token.empty()) fs::permissions(m_file, ownerOnly, fs::perm_options::remove, ec);
    return true;
}

bool Settings::setRolls(int limit) {
    m_rolls = (limit == 1 || limit == 2 || limit == 5) ? limit : 0;
    return change(kRolls);
}

bool Settings::savePhrases(const std::array<std::string, 10>& phrases) {
    IniFile ini;
    if (ini.load(m_file) == IniFile::LoadResult::Unreadable) return false;
    for (std::size_t n = 0; n < phrases.size(); ++n)
        ini.writeString(kSection, phraseKey(n), phrases[n]);
    if (!ini.save(m_file)) return false;
    m_phrases = phrases;
    return true;
}

bool Settings::closeWindow(const Placement& current, int workAreaWidth, int workAreaHeight) {
    if (!m_loaded) return false;
    const ClosePlacement decision =
        placementOnClose(current, m_last, workAreaWidth, workAreaHeight);
    if (!decision.write) return false;
    m_last = decision.placement;
    return write(kAll, decision.placement);
}

} // namespace core
