// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the settings file "quarlobby.ini" lives.
//
// A portable install keeps it beside the executable: that folder is used when it is writable
// and already holds the file. Everyone else gets the desktop's configuration folder (the XDG
// location on Linux), same file name, so an installed program never writes into its own
// install folder. Tests point the whole program elsewhere with setOverride() or the
// environment variable BRAMBLIES_SETTINGS_FILE, so they never touch a user's real settings.

#include <QString>

#include <filesystem>

namespace ui {

class SettingsLocation {
public:
    static constexpr const char* kEnvironmentVariable = "BRAMBLIES_SETTINGS_FILE";

    // The full path of the settings file.
    static QString filePath();
    // The same as a path for the core's file code.
    static std::filesystem::path path();

    // The decision itself: programDir is the executable's folder, configDir the user's
    // configuration folder.
    static QString choose(const QString& programDir, const QString& configDir);

    // Forces the path (an empty text removes the override).
    static void setOverride(const QString& filePath);

    static std::filesystem::path toPath(const QString& filePath);
};

} // namespace ui
