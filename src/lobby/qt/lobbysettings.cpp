// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/lobbysettings.h"

#include <QStringList>

namespace lobby {

namespace {
const QString kServer = QStringLiteral("internet/server");
const QString kAccount = QStringLiteral("internet/account");
const QString kIgnored = QStringLiteral("internet/ignored");
} // namespace

LobbySettings::LobbySettings()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("bramblies"),
                 QStringLiteral("bramblies-lobby")) {}

QString LobbySettings::server() const {
    return m_settings.value(kServer).toString();
}

QString LobbySettings::account() const {
    return m_settings.value(kAccount).toString();
}

void LobbySettings::setAccount(const QString& server, const QString& account) {
    m_settings.setValue(kServer, server);
    m_settings.setValue(kAccount, account);
}

std::set<std::string> LobbySettings::ignored() const {
    std::set<std::string> nicks;
    const QStringList list = m_settings.value(kIgnored).toStringList();
    for (const QString& nick : list)
        nicks.insert(nick.toStdString());
    return nicks;
}

void LobbySettings::setIgnored(const std::set<std::string>& nicks) {
    QStringList list;
    for (const std::string& nick : nicks)
        list << QString::fromStdString(nick);
    m_settings.setValue(kIgnored, list);
}

} // namespace lobby
