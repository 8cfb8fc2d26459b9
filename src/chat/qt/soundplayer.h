// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one player for every sound of the program, and the two sound handlers of the table
// window: playsounds (game cues) and playasound (a chatter sound relayed by the host).
//
// Starting a sound stops the one playing, so the newest sound always wins. Sounds are looked
// up by name, letter case ignored, among the WAVE files embedded under ":/sounds/". A name
// with no sound makes the desktop's alert sound. On a machine without an audio output
// nothing is played and nothing is reported.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace core {
class Settings;
}

namespace ui {

// Where started sounds go. The real one plays through QSoundEffect; tests put in a recorder.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Stops whatever this output is playing.
    virtual void stop() = 0;
    // Starts the sound stored at resourcePath (":/sounds/<name>.wav") and returns at once.
    virtual void start(const QString& resourcePath) = 0;
};

class LazySoundOutput;

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // The text of seat n's label on the board, or nothing when there is no such label.
    using SeatLabelSource = std::function<std::optional<QString>(int seat)>;

    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // The switches "Play Sounds", "Play Chatter Sounds" and "Turn Sound" are read from here at
    // each call; without settings every switch counts as on and the turn sound as "Classic".
    void setSettings(const core::Settings* settings) { m_settings = settings; }
    void setSeatLabelSource(SeatLabelSource source) { m_seatLabel = std::move(source); }
    // Replaces the audio output (tests).
    void setOutput(std::unique_ptr<SoundOutput> output);
    // The program's own output keeps sounds back until the window is up: holdUntilShown()
    // before it is first shown, windowShown() once it has painted.
    void holdUntilShown();
    void windowShown();

    // ":/sounds/<name in lower case>.wav"
    static QString resourcePath(const QString& name);
    static bool hasSound(const QString& name);

    // The player: stops the sound playing and starts name (or beeps).
    void play(const QString& name);
    // A game cue, when "Play Sounds" is on; "turn" follows the turn-sound choice.
    void playsounds(const QString& cue);
    // Handler of "CMD_playasound" (payload: slot "+" name "+"). With "Play Chatter Sounds" on
    // the sound plays and nothing is returned; otherwise the chat line to write instead, in
    // the system colour, is returned (nothing when the seat label or the menu item is missing).
    std::optional<QString> playasound(const QString& payload);

    // The name last started (empty before the first sound).
    QString current() const { return m_current; }

signals:
    void started(const QString& name);
    void beeped(const QString& name);

private:
    const core::Settings* m_settings = nullptr;
    SeatLabelSource m_seatLabel;
    std::unique_ptr<SoundOutput> m_output;
    LazySoundOutput* m_lazy = nullptr; // m_output while it is the program's own
    QString m_current;
};

} // namespace ui
