// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table client's four ports doing nothing, for fuzz targets that drive the client alone;
// a target overrides what it wants to watch.

#include "client/clientport.h"

#include <cstdint>
#include <string>

namespace fuzzsupport {

class NullPort : public core::ClientTransport,
                 public core::ClientPresentation,
                 public core::ClientMenus,
                 public core::ClientRecords {
public:
    void startListening() override {}
    void connectToHost(const std::string&, int) override {}
    void openCompanion(const std::string&, int) override {}
    void send(const std::string&) override {}
    void addlinetochat(const std::string&, std::uint32_t) override {}
    void chatrecieved(const std::string&) override {}
    void playasound(const std::string&) override {}
    void playsounds(const std::string&) override {}
    void messageBox(const std::string&) override {}
    void closeWindow() override {}
    void boardChanged() override {}
    void showLobbyDownload() override {}
    void showGameOptions() override {}
    void addSpectator(const core::Spectator&) override {}
    void removeSpectator(const core::Spectator&) override {}
    void setStartGameEnabled(bool) override {}
    void setJustWatchChecked(bool) override {}
    void setSpyRemoveEnabled(bool) override {}
    void loadSettings() override {}
    void writeSettings() override {}
    void startDiceAnimation() override {}
    void stopDiceAnimation() override {}
    void addtomineincrease(int) override {}
    void recordGame(bool, const std::string&, const std::string&) override {}
};

} // namespace fuzzsupport
