// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tsolo.h"

#include "widgets/linkopener.h"
#include "widgets/tiledbackground.h"
#include "windows/sitelinks.h"
#include "windows/windowart.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace ui {

namespace {
const char* const kCaption = "Bramblies - Solo";
const char* const kInvite = "Check out Bramblies Solo, the single-player edition, on our web site!";
} // namespace

Tsolo::Tsolo(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(569, 407);
    TiledBackground::apply(this);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    auto* invite = new QLabel(QString::fromLatin1(kInvite), this);
    invite->setObjectName(QStringLiteral("label_invite"));
    invite->setGeometry(0, 12, 569, 24);
    invite->setAlignment(Qt::AlignCenter);
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    bold.setPixelSize(15);
    invite->setFont(bold);

    auto* here = new QLabel(QString::fromLatin1(kClickHere), this);
    here->setObjectName(QStringLiteral("Label6"));
    here->setGeometry(0, 38, 569, 22);
    here->setAlignment(Qt::AlignCenter);
    here->setStyleSheet(QStringLiteral("color: rgb(0,0,160); font-size: 13px;"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("image_solo"));
    picture->setGeometry((569 - 409) / 2, 68, 409, 285);
    picture->setPixmap(diceCloth(QSize(409, 285), QStringLiteral("Bramblies Solo"), 3));

    for (QWidget* w : {static_cast<QWidget*>(invite), static_cast<QWidget*>(here),
                       static_cast<QWidget*>(picture)}) {
        w->setCursor(Qt::PointingHandCursor);
        w->installEventFilter(this);
    }

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(569 - 96, 407 - 38, 84, 26);
    connect(done, &QPushButton::clicked, this, &Tsolo::button_doneClick);
}

bool Tsolo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && watched != this) {
        Label6Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Tsolo::showEvent(QShowEvent* event) {
    if (QWidget* table = parentWidget()) {
        const QRect frame = table->frameGeometry();
        move(frame.center() - rect().center());
    }
    QWidget::showEvent(event);
}

void Tsolo::Label6Click() {
    LinkOpener::open(QStringLiteral("http://") + siteLinks().soloAddress);
}

void Tsolo::button_doneClick() {
    close();
}

} // namespace ui
