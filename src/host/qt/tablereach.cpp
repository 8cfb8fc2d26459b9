// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/qt/tablereach.h"

#include "host/qt/hostserver.h"
#include "host/tablesummary.h"
#include "net/qt/portmapper.h"
#include "net/qt/tableannouncer.h"

#include <QHostInfo>

namespace ui {

TableReach::TableReach(HostServer& host, TableReachOptions options, QObject* parent)
    : QObject(parent), m_host(host), m_options(std::move(options)) {}

TableReach::~TableReach() {
    stop();
}

QString TableReach::serviceName(quint16 port) {
    return QStringLiteral("Bramblies on %1 port %2").arg(QHostInfo::localHostName()).arg(port);
}

void TableReach::start() {
    const quint16 port = m_host.serverPort();
    if (m_options.mapPort && !m_mapper) {
        m_mapper = new PortMapper(m_options.mapping, this);
        connect(m_mapper, &PortMapper::reported, this, &TableReach::reported);
        connect(m_mapper, &PortMapper::settled, this, &TableReach::mapped);
        m_mapper->start(port);
    }
    if (m_options.announce && !m_announcer) {
        m_announcer = new TableAnnouncer(serviceName(port), port, this);
        connect(&m_host, &HostServer::activity, this, &TableReach::follow);
        follow();
    }
}

void TableReach::stop() {
    if (m_mapper) m_mapper->stop();
}

void TableReach::follow() {
    m_announcer->setTable(core::summariseTable(m_host.state()));
}

} // namespace ui
