// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/qt/tablebrowser.h"

#include "net/qt/netlibraries.h"

#include <QFileInfo>

namespace ui {

TableBrowser::TableBrowser(QObject* parent) : QObject(parent) {
    const NetLibraries* libraries = netLibraries();
    if (!libraries) {
        m_unavailable = tr("the network module (bramblies_net) is not installed");
        return;
    }
    ServiceEvents events;
    events.post = [this](std::function<void()> job) {
        QMetaObject::invokeMethod(this, std::move(job));
    };
    events.found = [this](const ServiceFound& service) {
        auto table = core::parseTxt(service.txt);
        if (!table) return; // not one of ours
        emit tableFound(FoundTable{QString::fromStdString(service.name),
                                   QString::fromStdString(service.domain), service.interfaceIndex,
                                   QString::fromStdString(service.address), service.port, *table});
    };
    events.gone = [this](const std::string& name, const std::string& domain, int interfaceIndex) {
        emit tableGone(QString::fromStdString(name), QString::fromStdString(domain),
                       interfaceIndex);
    };
    m_service = libraries->browse(std::move(events));
    // The client waits for a daemon that starts later, but until then nothing can be found.
    if (!QFileInfo::exists(QStringLiteral("/run/avahi-daemon/socket")))
        m_unavailable = tr("the Avahi daemon (avahi-daemon) is not running");
    else if (!m_service)
        m_unavailable = tr("the Avahi client library could not be set up");
}

TableBrowser::~TableBrowser() = default;

} // namespace ui
