// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tabout.h"

#include "widgets/linkopener.h"
#include "widgets/tiledbackground.h"
#include "windows/sitelinks.h"

#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace ui {

namespace {
const char* const kCaption = "Bramblies - About";

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(at);
    return label;
}
} // namespace

Tabout::Tabout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(304, 174);
    TiledBackground::apply(this);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    auto* title = makeLabel(this, "label_title", QStringLiteral("Bramblies"), {0, 6, 304, 40});
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setBold(true);
    titleFont.setPixelSize(32);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: rgb(140,115,10);"));

    m_address = makeLabel(this, "Label7", siteLinks().makerAddress, {0, 50, 304, 18});
    m_address->setAlignment(Qt::AlignCenter);
    QFont linkFont(QStringLiteral("Arial"));
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    linkFont.setPixelSize(12);
    m_address->setFont(linkFont);
    m_address->setStyleSheet(QStringLiteral("color: rgb(0,0,160);"));
    m_address->setCursor(Qt::PointingHandCursor);
    m_address->installEventFilter(this);

    m_credits = makeLabel(this, "label_credits", QString(), {0, 72, 304, 56});
    m_credits->setAlignment(Qt::AlignCenter);
    m_credits->setStyleSheet(QStringLiteral("color: rgb(90,90,90); font-size: 11px;"));

    QFont versionFont(QStringLiteral("Times New Roman"));
    versionFont.setBold(true);
    versionFont.setPixelSize(15);
    auto* word = makeLabel(this, "label_versionword", QStringLiteral("Version"), {10, 140, 58, 22});
    word->setFont(versionFont);
    auto* version = makeLabel(this, "label_version", versionText(), {68, 140, 38, 22});
    version->setFont(versionFont);
    auto* build = makeLabel(this, "label_build", QString::fromLatin1(kBuild), {106, 140, 24, 22});
    build->setFont(versionFont);
    for (QLabel* orange : {version, build}) {
        QPalette p = orange->palette();
        p.setColor(QPalette::WindowText, QColor(255, 128, 0));
        orange->setPalette(p);
    }

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("Button1"));
    done->setGeometry(214, 138, 80, 26);
    connect(done, &QPushButton::clicked, this, &Tabout::Button1Click);

    FormCreate();
}

void Tabout::FormCreate() {
    m_credits->setText(creditsText(QDate::currentDate().year()));
}

bool Tabout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_address && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label7Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tabout::Label7Click() {
    LinkOpener::open(siteLinks().makerAddress);
}

void Tabout::Button1Click() {
    close();
}

} // namespace ui
