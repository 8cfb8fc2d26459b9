// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/startup.h"

#include "app/qt/appidentity.h"
#include "app/qt/instanceguard.h"
#include "app/qt/presencelock.h"
#include "app/qt/windowset.h"
#include "widgets/firstframe.h"

#include <QApplication>
#include <QWidget>

namespace ui {

Startup::Startup(const QStringList& arguments, QObject* parent)
    : QObject(parent),
      m_instanceName(InstanceGuard::nameForPort(InstanceGuard::portArgument(arguments))),
      m_lockName(PresenceLock::defaultName()) {}

Startup::~Startup() = default;

Startup::Outcome Startup::begin(WindowSet& windows) {
    if (m_guard && m_guard->isFirst() && windows.isCreated())
        return Outcome::Started; // already done
    m_guard = std::make_unique<InstanceGuard>(m_instanceName);
    if (!m_guard->claim()) return Outcome::AnotherCopyRunning;
    m_lock = std::make_unique<PresenceLock>(m_lockName);
    if (!windows.createAll()) return Outcome::NoTableWindow;
    QWidget* table = windows.table();
    m_guard->setWindow(table);
    connect(&windows, &WindowSet::tableClosed, this, [] { QCoreApplication::quit(); });
    table->show();
    FirstFrame::after(table, [] { applyWindowIcon(); });
    return Outcome::Started;
}

int Startup::run(QApplication& app, WindowSet& windows) {
    switch (begin(windows)) {
    case Outcome::AnotherCopyRunning:
        return 0;
    case Outcome::NoTableWindow:
        return 1;
    case Outcome::Started:
        break;
    }
    return app.exec();
}

} // namespace ui
