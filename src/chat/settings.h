// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player's preferences in the shared settings file "quarlobby.ini", section "bramblies".
//
// Settings holds the current value of every preference the table window keeps (start values
// until the file is first read), reads them with loadinifile() and writes them with
// saveinifile(). Each user change goes through a setter that writes the file at once. The file
// is opened for each read or write and never held open; every write reads the file afresh so
// other programs' sections and any keys written meanwhile are kept.
//
// Guarding the stored values: until the file has been read in this run, a write stores only
// the keys the user has changed in this run, and closing the window writes nothing. Otherwise
// a window closed (or a switch flipped) before the host let us in would put the built-in
// start values over everything the player had stored.

#include "chat/inifile.h"
#include "net/protocol.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// A window placement in pixels: top and left edges, outer width and height.
struct Placement {
    int top = 3;
    int left = 3;
    int width = 704;
    int height = 501;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// What closing the window does to the placement: write says whether the file is written,
// placement is what gets stored (and becomes the last placement).
struct ClosePlacement {
    bool write = false;
    Placement placement;
};

// The close rule: nothing happens unless the window's placement differs from the last one
// read or stored; then a window wider (taller) than the desktop's work area loses 15 pixels of
// width (height) so that it fits a little better at the next start.
ClosePlacement placementOnClose(const Placement& current, const Placement& last, int workAreaWidth,
                                int workAreaHeight);

class Settings {
public:
    static constexpr std::string_view kFileName = "quarlobby.ini";
    static constexpr std::string_view kSection = "bramblies";

    static constexpr int kBotSlow = 1000;
    static constexpr int kBotNormal = 650;
    static constexpr int kBotFast = 350;
    static constexpr int kBotBeforeLoad = kDefaultBotSpeedMs;

    static constexpr int kDefaultTextSize = 8;
    static constexpr int kStartTextSize = 10;              // the chat's looks before the first read
    static constexpr std::uint32_t kDefaultTextColour = 0; // black

    explicit Settings(std::filesystem::path file = {});

    void setFile(std::filesystem::path file) { m_file = std::move(file); }
    const std::filesystem::path& file() const { return m_file; }

    // Where the window's current placement comes from when a write stores it. Without one the
    // last placement is stored.
    void setPlacementSource(std::function<Placement()> source) {
        m_placementSource = std::move(source);
    }

    // Reads every key and applies the reading rules. Returns false when the file exists but
    // cannot be read; the values are then the file defaults and the file is never replaced.
    bool loadinifile();
    // Takes every value from settings already read, by the same rules.
    void takeValues(const IniFile& ini);
    // Writes every key except the phrases (before the first read: only the keys changed by the
    // user). False when the file could not be written.
    bool saveinifile();

    // Values.
    bool loaded() const { return m_loaded; }
    int textSize() const { return m_textSize; }
    // True when size is one of the "Text Size" menu items (8, 10, 12, 14).
    static bool isTextSizeItem(int size);
    const Placement& lastPlacement() const { return m_last; }
    std::uint32_t textColour() const { return m_textColour; }
    int botSpeed() const { return m_botSpeed; }
    // Phrase n+1 as read from the file; an empty entry keeps that button's built-in phrase.
    const std::array<std::string, 10>& phrases() const { return m_phrases; }
    bool playSounds() const { return m_playSounds; }
    bool remindMe() const { return m_remindMe; }
    int turnSound() const { return m_turnSound; } // 0 Classic, 1 New
    bool playChatterSounds() const { return m_playChatterSounds; }
    int rolls() const { return m_rolls; }              // bonus-roll limit: 0 (unlimited), 1, 2 or 5
    bool speakEvents() const { return m_speakEvents; } // off unless the file says "true"
    bool expertComputer() const { return m_expertComputer; } // "Computer Player" > "Expert"
    bool speakChat() const { return m_speakChat; }           // chat lines too, when speaking
    // Options > "Hold Seats of Dropped Players" (on unless the file says "false").
    bool holdSeats() const { return m_holdSeats; }

    // User changes: set the value and write the file at once. Each returns the write's success.
    bool setTextSize(int points);
    bool setTextColour(std::uint32_t colour);
    bool setBotSpeed(int ms);
    bool setPlaySounds(bool on);
    bool setRemindMe(bool on);
    bool setTurnSound(int choice);
    bool setPlayChatterSounds(bool on);
    bool setRolls(int limit); // called when the game options window's Start has been sent
    bool setSpeakEvents(bool on);
    bool setExpertComputer(bool expert);
    bool setSpeakChat(bool on);
    bool setHoldSeats(bool on);

    // Our seat's token for the game at the host `where` ("address:port"), kept for a copy
    // restarted during the game; empty when there is none. Read from and written to the file
    // at once, whether or not the other keys have been read in this run.
    std::string seatToken(const std::string& where) const;
    bool setSeatToken(const std::string& where, const std::string& token);

    // Why the file read last will not be changed (too large, unreadable, read-only), as one
    // sentence with the file's path; given once per run, then nothing.
    std::optional<std::string> takeNotice();

    // The phrase editor's Done: writes "Phrase1" to "Phrase10" as given (empty ones too).
    bool savePhrases(const std::array<std::string, 10>& phrases);

    // The window is closing with the given placement: applies the close rule and writes the
    // file when it says so. Returns true when the file was written.
    bool closeWindow(const Placement& current, int workAreaWidth, int workAreaHeight);

private:
    enum Key : unsigned {
        kTextSize = 1u << 0,
        kPlacement = 1u << 1,
        kTextColour = 1u << 2,
        kBotSpeed = 1u << 3,
        kRolls = 1u << 4,
        kTurnSound = 1u << 5,
        kPlaySounds = 1u << 6,
        kRemindMe = 1u << 7,
        kChatterSounds = 1u << 8,
        kSpeakEvents = 1u << 9,
        kComputer = 1u << 10,
        kSpeakChat = 1u << 11,
        kHoldSeats = 1u << 12,
        kAll = (1u << 13) - 1,
    };
    bool change(unsigned key);
    bool write(unsigned keys, const Placement& placement);
    void noteRefusal(IniFile::Refusal refusal);

    std::filesystem::path m_file;
    std::function<Placement()> m_placementSource;

    bool m_loaded = false;
    unsigned m_changed = 0; // keys the user changed before the first read
    std::optional<std::string> m_notice;
    bool m_noticeGiven = false;

    int m_textSize = kStartTextSize;
    Placement m_last;
    std::uint32_t m_textColour = kDefaultTextColour;
    int m_botSpeed = kBotBeforeLoad;
    bool m_expertComputer = false;
    std::array<std::string, 10> m_phrases;
    bool m_playSounds = true;
    bool m_remindMe = true;
    int m_turnSound = 0;
    bool m_playChatterSounds = true;
    int m_rolls = 0;
    bool m_speakEvents = false;
    bool m_speakChat = false;
    bool m_holdSeats = true;
};

} // namespace core
