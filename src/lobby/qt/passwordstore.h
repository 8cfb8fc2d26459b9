// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the lobby keeps account passwords: the desktop's keyring, reached through QtKeychain.
// Both calls answer later, on the caller's thread. Without a keyring (the job fails) nothing
// is kept and the password is asked each time. Tests put a fake in its place.

#include <QString>

#include <functional>
#include <optional>

namespace lobby {

class PasswordStore {
public:
    virtual ~PasswordStore() = default;
    // The password kept for `key`, or nullopt (none kept, or no keyring).
    virtual void read(const QString& key, std::function<void(std::optional<QString>)> done) = 0;
    // Keeps the password; `done` says whether it was kept.
    virtual void write(const QString& key, const QString& password,
                       std::function<void(bool)> done) = 0;
};

class KeychainPasswordStore : public PasswordStore {
public:
    void read(const QString& key, std::function<void(std::optional<QString>)> done) override;
    void write(const QString& key, const QString& password,
               std::function<void(bool)> done) override;
};

} // namespace lobby
