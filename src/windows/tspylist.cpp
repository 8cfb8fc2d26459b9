// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tspylist.h"

#include "widgets/boardpalette.h"
#include "widgets/tiledbackground.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace ui {

namespace {
const char* const kCaption = "Bramblies - Spys";
const char* const kRemove = "Remove From Game";
} // namespace

QString Tspylist::entryText(int slot, const QString& name) {
    return QString::number(slot) + QStringLiteral(": ") + name;
}

QString Tspylist::spyingLine(int slot, const QString& name, int myslot) {
    if (slot == myslot) return QStringLiteral("You are spying.");
    return name + QStringLiteral(" is spying.");
}

QString Tspylist::leftLine(const QString& name) {
    return name + QStringLiteral(" has left.");
}

Tspylist::Tspylist(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(162, 168);
    TiledBackground::apply(this);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setGeometry(4, 4, 154, 130);
    m_list->setStyleSheet(QStringLiteral("QListWidget { background: %1; border: 1px solid %2; }")
                              .arg(BoardPalette::css(BoardPalette::cream()),
                                   BoardPalette::css(BoardPalette::gold())));
    m_list->setMouseTracking(true);
    m_list->viewport()->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::DefaultContextMenu);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("popup_kick"));
    m_kick = m_popup->addAction(QString::fromLatin1(kRemove));
    m_kick->setObjectName(QStringLiteral("popup_kickhim"));
    m_kick->setEnabled(false);
    connect(m_kick, &QAction::triggered, this, &Tspylist::popup_kickhimClick);

    auto* label = new QLabel(QStringLiteral("Spy List"), this);
    label->setObjectName(QStringLiteral("label_spylist"));
    label->setGeometry(6, 140, 70, 22);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(86, 139, 72, 24);
    connect(done, &QPushButton::clicked, this, &Tspylist::button_doneClick);
}

QString Tspylist::addSpy(int slot, const QString& name, int myslot) {
    m_list->addItem(entryText(slot, name));
    return spyingLine(slot, name, myslot);
}

bool Tspylist::removeSpy(int slot, const QString& name) {
    const QString entry = entryText(slot, name);
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->text() == entry) {
            delete m_list->takeItem(i);
            // The pointer may now be over another entry or none: forget the old one.
            m_pointed = -1;
            return true;
        }
    }
    return false;
}

void Tspylist::setRemoveEnabled(bool enabled) {
    m_kick->setEnabled(enabled);
}

QStringList Tspylist::entries() const {
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i)
        out << m_list->item(i)->text();
    return out;
}

bool Tspylist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            listbox_spysMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::ContextMenu) {
            auto* menuEvent = static_cast<QContextMenuEvent*>(event);
            // A right-click is also a pointer position; a keyboard menu has none of its own.
            if (menuEvent->reason() == QContextMenuEvent::Mouse)
                listbox_spysMouseMove(menuEvent->pos());
            m_popup->popup(menuEvent->globalPos());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tspylist::listbox_spysMouseMove(const QPoint& pos) {
    QListWidgetItem* item = m_list->itemAt(pos);
    m_pointed = item ? m_list->row(item) : -1;
}

void Tspylist::popup_kickhimClick() {
    if (!m_kick->isEnabled()) return;
    if (m_pointed < 0 || m_pointed >= m_list->count()) return;
    const QString text = m_list->item(m_pointed)->text();
    bool ok = false;
    const int slot = text.section(QLatin1Char(':'), 0, 0).toInt(&ok);
    if (!ok) return;
    emit kickRequested(slot);
}

void Tspylist::button_doneClick() {
    hide();
}

} // namespace ui
