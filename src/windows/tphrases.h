// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The phrase editor: ten one-line fields for the phrases of the table window's phrase buttons.
// Opening fills the fields from the buttons; Done stores the ten phrases in the settings file
// ("Phrase1" to "Phrase10") and hands them back for the buttons. Closing the window any other
// way changes nothing.

#include <QWidget>

#include <array>

class QLineEdit;
class QPixmap;

namespace core {
class Settings;
}

namespace ui {

class Tphrases : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPhraseCount = 10;
    static constexpr int kMaxPhraseLength = 50;
    using Phrases = std::array<QString, kPhraseCount>;

    explicit Tphrases(QWidget* parent = nullptr);

    // Where Done stores the phrases. Without settings a Settings on SettingsLocation's file is
    // used.
    void setSettings(core::Settings* settings) { m_settings = settings; }
    // The table window's background picture, tiled behind the fields.
    void setBackground(const QPixmap& picture);

    // Fills field n with phrase n and shows the window.
    void open(const Phrases& phrases);
    // The fields' texts as they stand.
    Phrases phrases() const;

    // Done: stores the phrases, reports them, closes the window.
    void button_doneClick();

signals:
    // After Done has written the settings file; phrase n belongs to button n.
    void done(const std::array<QString, 10>& phrases);

private:
    std::array<QLineEdit*, kPhraseCount> m_fields{};
    core::Settings* m_settings = nullptr;
};

} // namespace ui
