// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/chattersoundmenu.h"

#include "chat/chattersounds.h"

#include <QAction>

namespace ui {

namespace {

QString fromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

ChatterSoundMenu::ChatterSoundMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("popup_sounds"));
    setToolTipsVisible(true);
    QAction* cancel = addAction(fromView(core::kCancelCaption));
    cancel->setObjectName(QStringLiteral("Cancel1"));
    cancel->setData(0);
    for (int k = 1; k <= static_cast<int>(core::kChatterCaptions.size()); ++k) {
        const QString caption = fromView(core::kChatterCaptions[static_cast<std::size_t>(k - 1)]);
        QAction* action = addAction(caption);
        action->setObjectName(QString::fromStdString(core::chatterSoundName(k)));
        action->setToolTip(caption);
        action->setData(k);
    }
    connect(this, &QMenu::triggered, this,
            [this](QAction* action) { wave20Click(action->data().toInt()); });
}

void ChatterSoundMenu::popupAt(QWidget* button) {
    popup(button->mapToGlobal(button->rect().bottomRight()));
}

void ChatterSoundMenu::wave20Click(int k) {
    const Session session = m_session ? m_session() : Session{};
    if (const auto message = core::chatterSoundRequest(k, session.loggedin, session.myslot))
        emit sendRequested(QString::fromStdString(*message));
}

QAction* ChatterSoundMenu::item(int k) const {
    const auto all = actions();
    return (k >= 0 && k < all.size()) ? all[k] : nullptr;
}

} // namespace ui
