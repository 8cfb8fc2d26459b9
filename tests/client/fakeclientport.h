// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// All four of the client's ports in one, recording every call as one text line, so tests can
// compare the exact sequence of effects whatever concern each belongs to.

#include "client/clientport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace test {

class FakeClientPort : public core::ClientTransport,
                       public core::ClientPresentation,
                       public core::ClientMenus,
                       public core::ClientRecords {
public:
    std::vector<std::string> events;

    static std::string spy(const char* what, const core::Spectator& s) {
        return what + std::to_string(s.slot) + ": " + s.name;
    }

    void startListening() override { log("listen"); }
    void connectToHost(const std::string& a, int p) override {
        log("connect:" + a + ":" + std::to_string(p));
    }
    void openCompanion(const std::string& a, int p) override {
        log("companion:" + a + ":" + std::to_string(p));
    }
    void send(const std::string& m) override { log("send:" + m); }
    void addlinetochat(const std::string& line, std::uint32_t colour) override {
        log("chat:" + line + (colour == 0x00FF0000 ? "" : " (not system colour)"));
    }
    void chatrecieved(const std::string& p) override { log("chatrecieved:" + p); }
    void playasound(const std::string& p) override { log("playasound:" + p); }
    void playsounds(const std::string& cue) override { log("sound:" + cue); }
    void messageBox(const std::string& t) override { log("box:" + t); }
    void closeWindow() override { log("close"); }
    void boardChanged() override {}
    void showLobbyDownload() override { log("lobby"); }
    void showGameOptions() override { log("options"); }
    void addSpectator(const core::Spectator& s) override { log(spy("spy+:", s)); }
    void removeSpectator(const core::Spectator& s) override { log(spy("spy-:", s)); }
    void setStartGameEnabled(bool on) override {
        log(std::string("startmenu:") + (on ? "on" : "off"));
    }
    void setJustWatchChecked(bool on) override {
        log(std::string("justwatch:") + (on ? "on" : "off"));
    }
    void setSpyRemoveEnabled(bool on) override {
        log(std::string("spyremove:") + (on ? "on" : "off"));
    }
    void loadSettings() override { log("loadsettings"); }
    void writeSettings() override { log("writesettings"); }
    void startDiceAnimation() override { log("anim:start"); }
    void stopDiceAnimation() override { log("anim:stop"); }
    void addtomineincrease(int c) override { log("tally:increase:" + std::to_string(c)); }
    void recordGame(bool won, const std::string& winners, const std::string& total) override {
        log("tally:record:" + std::string(won ? "won" : "lost") + ":" + winners + ":" + total);
    }

    // Events whose text starts with the prefix, in order.
    std::vector<std::string> with(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.rfind(prefix, 0) == 0) out.push_back(e);
        return out;
    }
    bool has(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
    void clear() { events.clear(); }

private:
    void log(std::string e) { events.push_back(std::move(e)); }
};

} // namespace test
