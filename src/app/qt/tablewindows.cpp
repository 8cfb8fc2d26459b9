#include "app/qt/tablewindows.h"

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

// A creator that makes a window parented to the table window (so it stays above it and goes
// with it) and attaches it to the table window.
template <class Window, class Make>
WindowSet::Creator attached(void (Tchat::*attach)(Window*), Make make) {
    return [attach, make](WindowSet& set) -> QObject* {
        auto* table = set.as<Tchat>(Role::Table);
        Window* window = make(set.table());
        if (table) (table->*attach)(window);
        return window;
    };
}

template <class Window> WindowSet::Creator attached(void (Tchat::*attach)(Window*)) {
    return attached(attach, [](QWidget* parent) { return new Window(parent); });
}

} // namespace

TchatOptions tchatOptions(const app::CommandLine& line) {
    TchatOptions options;
    options.params = line.positional;
    options.port = static_cast<quint16>(line.port);
    options.timeScale = line.timeScale;
    options.reach.mapPort = !line.noPortMapping;
    options.reach.announce = true;
    return options;
}

void addTableCreators(WindowSet& windows, const TchatOptions& options) {
    windows.addDefaultCreators();
    windows.setCreator(Role::Table,
                       [options](WindowSet&) -> QObject* { return new Tchat(options); });
    windows.setCreator(Role::Tally, attached(&Tchat::setTally, [](QWidget* parent) {
                           // The tally file lives beside the settings file.
                           const QString dir =
                               QFileInfo(SettingsLocation::filePath()).absolutePath();
                           return new Ttallylist(dir, parent);
                       }));
    windows.setCreator(Role::About, attached(&Tchat::setAbout));
    windows.setCreator(Role::Download, attached(&Tchat::setDownload));
    windows.setCreator(Role::Help, attached(&Tchat::setHelp));
    windows.setCreator(Role::Phrases, attached(&Tchat::setPhrasesWindow));
    // The game host only listens once the table window decides to host.
    windows.setCreator(Role::Host, [](WindowSet& set) -> QObject* {
        auto* host = new HostServer;
        if (auto* table = set.as<Tchat>(Role::Table)) table->setHostServer(host);
        return host;
    });
    windows.setCreator(Role::SpyList, attached(&Tchat::setSpyList));
    windows.setCreator(Role::GameStart, attached(&Tchat::setGameOptions));
    windows.setCreator(Role::Solo, attached(&Tchat::setSolo));
}

} // namespace ui
