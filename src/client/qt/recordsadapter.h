// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table client's records (core::ClientRecords) in the window: the settings file, which
// this adapter owns, and the tally kept by the program's window set (AuxWindows).
//
// Reading the settings file is announced (settingsLoaded) so that every part of the window
// takes its stored state; a notice about the file goes to the chat as one of the table's
// own lines.

#include "client/clientrecords.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>

namespace core {
class ClientPresentation;
class Settings;
class TableClient;
} // namespace core

namespace ui {

class AuxWindows;

class RecordsAdapter : public QObject, public core::ClientRecords {
    Q_OBJECT
public:
    // settingsFile: the settings file; presentation shows the notices about it; windows: the
    // window's other windows as it has them now (null: no tally).
    RecordsAdapter(std::filesystem::path settingsFile, core::ClientPresentation& presentation,
                   AuxWindows* const& windows, QObject* parent);
    ~RecordsAdapter() override;

    core::Settings& settings() { return *m_settings; }
    // The client, once it is made (it is built on this adapter): the reminder switch is its.
    void attach(const core::TableClient& client) { m_client = &client; }

    // core::ClientRecords
    void loadSettings() override;
    void writeSettings() override;
    void addtomineincrease(int column) override;
    void recordGame(bool localWon, const std::string& winnersText,
                    const std::string& myTotal) override;

signals:
    // The settings file has been read.
    void settingsLoaded();

private:
    std::unique_ptr<core::Settings> m_settings;
    core::ClientPresentation& m_presentation;
    const core::TableClient* m_client = nullptr;
    AuxWindows* const& m_windows;
};

} // namespace ui
