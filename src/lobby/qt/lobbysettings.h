// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the lobby remembers between runs, in its own settings file in the user's configuration
// folder: the server and account name last signed in with, and the people the user ignores.
// Never the password: that goes to the desktop's keyring (PasswordStore) or nowhere.

#include <QSettings>
#include <QString>

#include <set>
#include <string>

namespace lobby {

class LobbySettings {
public:
    LobbySettings();

    QString server() const;
    QString account() const;
    void setAccount(const QString& server, const QString& account);

    std::set<std::string> ignored() const;
    void setIgnored(const std::set<std::string>& nicks);

private:
    QSettings m_settings;
};

} // namespace lobby
