// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/tablewindows.h"

#include "app/qt/auxwindowset.h"
#include "app/qt/hostingcopy.h"
#include "app/qt/windowset.h"
#include "chat/qt/settingslocation.h"
#include "host/qt/hostserver.h"
#include "stats/qt/ttallylist.h"
#include "windows/tabout.h"
#include "windows/tdownload.h"
#include "windows/tgamestart.h"
#include "windows/thelp.h"
#include "windows/tphrases.h"
#include "windows/tsolo.h"
#include "windows/tspylist.h"

#include <QFileInfo>

namespace ui {

namespace {

using Role = WindowSet::Role;

// The table window's other windows, made by its AuxWindowSet the first time they are asked for.
template <class Window>
void onDemand(WindowSet& windows, Role role, Window* (AuxWindowSet::*make)()) {
    windows.setCreator(
        role,
        [make](WindowSet& set) -> QObject* {
            auto* table = set.as<Tchat>(Role::Table);
            auto* aux = table ? dynamic_cast<AuxWindowSet*>(table->auxWindows()) : nullptr;
            return aux ? (aux->*make)() : nullptr;
        },
        WindowSet::Made::WhenFirstAsked);
}

} // namespace

TchatOptions tchatOptions(const app::CommandLine& line) {
    TchatOptions options;
    options.params = line.positional;
    options.port = static_cast<quint16>(line.port);
    options.timeScale = line.timeScale;
    return options;
}

TableReachOptions tableReach(const app::CommandLine& line) {
    TableReachOptions reach;
    reach.mapPort = !line.noPortMapping;
    reach.announce = true;
    return reach;
}

void addTableCreators(WindowSet& windows, const TchatOptions& options,
                      const TableReachOptions& reach) {
    windows.setCreator(Role::Table, [options](WindowSet&) -> QObject* {
        auto* table = new Tchat(options);
        // The tally file lives beside the settings file.
        new AuxWindowSet(*table, QFileInfo(SettingsLocation::filePath()).absolutePath());
        return table;
    });
    onDemand(windows, Role::Tally, &AuxWindowSet::tally);
    onDemand(windows, Role::About, &AuxWindowSet::about);
    onDemand(windows, Role::Download, &AuxWindowSet::download);
    onDemand(windows, Role::Help, &AuxWindowSet::help);
    onDemand(windows, Role::Phrases, &AuxWindowSet::phrases);
    // The game host only listens once the table window decides to host.
    windows.setCreator(Role::Host, [reach](WindowSet& set) -> QObject* {
        auto* host = new HostServer;
        if (auto* table = set.as<Tchat>(Role::Table)) new HostingCopy(*table, reach, host);
        return host;
    });
    onDemand(windows, Role::SpyList, &AuxWindowSet::spyList);
    onDemand(windows, Role::GameStart, &AuxWindowSet::gameOptions);
    onDemand(windows, Role::Solo, &AuxWindowSet::solo);
}

} // namespace ui
