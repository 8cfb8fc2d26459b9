// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/soundplayer.h"

#include "chat/chattersounds.h"
#include "chat/settings.h"
#include "net/toclient.h"

#include "chat/qt/lazysoundoutput.h"

#include <QApplication>
#include <QFile>

// The sounds are compiled into the shell library; a static library's resources have to be
// registered by hand, or the linker drops them. Outside any namespace, as the macro needs.
static void initSoundResources() {
    Q_INIT_RESOURCE(sounds);
}

namespace ui {

namespace {

void ensureSoundResources() {
    static const bool registered = (initSoundResources(), true);
    Q_UNUSED(registered);
}

QString fromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {
    auto lazy = std::make_unique<LazySoundOutput>();
    m_lazy = lazy.get();
    m_output = std::move(lazy);
    ensureSoundResources();
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::setOutput(std::unique_ptr<SoundOutput> output) {
    if (m_output) m_output->stop();
    m_output = std::move(output);
    m_lazy = nullptr;
}

void SoundPlayer::holdUntilShown() {
    if (m_lazy) m_lazy->hold();
}

void SoundPlayer::windowShown() {
    if (m_lazy) m_lazy->release();
}

QString SoundPlayer::resourcePath(const QString& name) {
    return QStringLiteral(":/sounds/") + name.toLower() + QStringLiteral(".wav");
}

bool SoundPlayer::hasSound(const QString& name) {
    ensureSoundResources();
    // Names come off the network: nothing that could walk out of the sound folder.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char('.')))
        return false;
    return QFile::exists(resourcePath(name));
}

void SoundPlayer::play(const QString& name) {
    if (m_output) m_output->stop();
    if (!hasSound(name)) {
        QApplication::beep();
        emit beeped(name);
        return;
    }
    m_current = name.toLower();
    if (m_output) m_output->start(resourcePath(name));
    emit started(m_current);
}

void SoundPlayer::playsounds(const QString& cue) {
    if (m_settings && !m_settings->playSounds()) return;
    if (m_settings && m_settings->turnSound() == 1 &&
        cue.compare(QLatin1String("turn"), Qt::CaseInsensitive) == 0) {
        play(fromView(core::kNewTurnSound));
        return;
    }
    play(cue);
}

std::optional<QString> SoundPlayer::playasound(const QString& payload) {
    const auto p = core::msg::toClient::Playasound::read(payload.toStdString());
    if (!m_settings || m_settings->playChatterSounds()) {
        play(QString::fromStdString(p.soundName));
        return std::nullopt;
    }
    const auto seat = core::seatOfSlotText(p.slotText);
    if (!seat || !m_seatLabel) return std::nullopt;
    const std::optional<QString> label = m_seatLabel(*seat);
    if (!label) return std::nullopt;
    const auto line = core::chatterSoundLine(p.slotText, label->toStdString(), p.soundName);
    if (!line) return std::nullopt;
    return QString::fromStdString(*line);
}

} // namespace ui
