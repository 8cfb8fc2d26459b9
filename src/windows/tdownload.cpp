// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tdownload.h"

#include "widgets/tiledbackground.h"
#include "windows/httpdownload.h"
#include "windows/sitelinks.h"
#include "windows/windowart.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace ui {

namespace {
const char* const kPitch =
    "Download The Quar77 Lobby Now to play this  and other exciting games online with other "
    "players! ";
const char* const kGetButton = "Download And Install The Quar77 Lobby Now";
const char* const kStopButton = "Stop Download";
const char* const kSoloText =
    "To proceed to the game without the ability to play against others click the button below.";
const char* const kSoloButton = "Play Solo Game";
const char* const kFirewall =
    "Note: Even if you are playing offline, you will need to configure your FIREWALL to allow "
    "the game to access the internet components.";
const char* const kOthersText =
    "If you already have The Quar77 Lobby and you wish to play with others then click the "
    "button below to close this game and open The Quar77 Lobby.";
const char* const kOthersButton = "Play with Others";
const char* const kNoLobby =
    "Please close the game and open the Quar77 Lobby using the icon on your desktop or using "
    "the your Window's start-up menu.";
const char* const kStartFailed = "An Error has Occurred.";

QFrame* panel(QWidget* parent, const char* name, const QRect& at) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(at);
    frame->setStyleSheet(
        QStringLiteral("#%1 { background: white; border: 2px groove rgb(211,186,44);"
                       " border-radius: 4px; }")
            .arg(QString::fromLatin1(name)));
    return frame;
}

QLabel* text(QWidget* parent, const char* name, const QString& content, const QRect& at) {
    auto* label = new QLabel(content, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(at);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const QRect& at) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(at);
    return b;
}
} // namespace

// A tool window of the table window, so it stays above it.
Tdownload::Tdownload(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(724, 500);
    TiledBackground::apply(this);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    m_message = [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, QString::fromLatin1(kCaption), text);
    };

    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.1);

    // Left: the download.
    QFrame* left = panel(this, "panel_download", {8, 8, 400, 484});
    auto* picture = new QLabel(left);
    picture->setObjectName(QStringLiteral("image_lobby"));
    picture->setGeometry(12, 12, 376, 230);
    picture->setPixmap(diceCloth(QSize(376, 230), QStringLiteral("The Quar77 Lobby"), 1));
    auto* pitch = text(left, "label_pitch", QString::fromLatin1(kPitch), {12, 250, 376, 56});
    pitch->setFont(bold);
    m_get = button(left, "getbutton", kGetButton, {40, 314, 320, 34});
    m_status1 = text(left, "label_status1", QString(), {12, 356, 376, 22});
    m_status2 = text(left, "label_status2", QString(), {12, 380, 376, 22});
    m_abort = button(left, "abortbutton", kStopButton, {130, 420, 140, 30});
    connect(m_get, &QPushButton::clicked, this, &Tdownload::getbuttonClick);
    connect(m_abort, &QPushButton::clicked, this, &Tdownload::abortbuttonClick);

    // Upper right: solo.
    QFrame* solo = panel(this, "panel_solo", {416, 8, 300, 270});
    text(solo, "label_solo", QString::fromLatin1(kSoloText), {12, 12, 276, 70});
    auto* play = button(solo, "Button1", kSoloButton, {60, 92, 180, 34});
    play->setDefault(true);
    play->setAutoDefault(true);
    m_solo = play;
    auto* firewall =
        text(solo, "label_firewall", QString::fromLatin1(kFirewall), {12, 140, 276, 110});
    firewall->setStyleSheet(QStringLiteral("color: red;"));
    connect(play, &QPushButton::clicked, this, &Tdownload::Button1Click);

    // Lower right: hand over to the lobby.
    QFrame* others = panel(this, "panel_others", {416, 286, 300, 206});
    text(others, "label_others", QString::fromLatin1(kOthersText), {12, 12, 276, 100});
    auto* handOver = button(others, "Button2", kOthersButton, {60, 126, 180, 34});
    connect(handOver, &QPushButton::clicked, this, &Tdownload::Button2Click);

    m_http = new HttpDownload(this);
    connect(m_http, &HttpDownload::headerLine, this, [this] { HttpCli1HeaderData(); });
    connect(m_http, &HttpDownload::docBegin, this, &Tdownload::HttpCli1DocBegin);
    connect(m_http, &HttpDownload::docData, this, &Tdownload::HttpCli1DocData);
    connect(m_http, &HttpDownload::finished, this, [this](bool ok) { requestDone(ok); });
}

Tdownload::~Tdownload() = default;

QString Tdownload::statusLine1() const {
    return m_status1->text();
}
QString Tdownload::statusLine2() const {
    return m_status2->text();
}

void Tdownload::showEvent(QShowEvent* event) {
    if (!m_centred) {
        m_centred = true;
        if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
        // The default button starts with the focus, so Enter plays solo.
        m_solo->setFocus();
    }
    QWidget::showEvent(event);
}

void Tdownload::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* target = focused && focused->isEnabled() ? focused : m_solo;
        if (target->isEnabled()) target->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Tdownload::getbuttonClick() {
    if (m_http->isRunning()) return;
    m_state = 1;
    const SiteLinks& links = siteLinks();
    const QUrl url(links.installerUrl);
    m_fileName = url.fileName();

    m_get->setEnabled(false);
    m_abort->setEnabled(true);
    m_status1->setText(QStringLiteral("Loading"));

    m_file.close();
    bool named = !m_fileName.isEmpty() && m_fileName != QLatin1String(".") &&
                 m_fileName != QLatin1String("..");
    if (named) {
        m_file.setFileName(QDir(links.downloadDirectoryPath()).filePath(m_fileName));
        named = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    if (!named || !m_http->start(url, &m_file)) requestDone(false);
}

void Tdownload::HttpCli1HeaderData() {
    m_status1->setText(m_status1->text() + QLatin1Char('.'));
}

void Tdownload::HttpCli1DocBegin() {
    m_status2->setText(QStringLiteral("Downloading: ") + m_fileName);
}

void Tdownload::HttpCli1DocData(qint64 received) {
    m_status1->setText(QString::number(received) + QStringLiteral(" bytes"));
}

void Tdownload::requestDone(bool ok) {
    if (ok) {
        m_file.flush();
        m_status1->setText(QStringLiteral("Received ") + QString::number(m_file.size()) +
                           QStringLiteral(" bytes"));
    } else {
        m_status1->setText(QStringLiteral("Download Aborted"));
        m_state = 2;
    }
    m_get->setEnabled(true);
    m_abort->setEnabled(false);
    const QString path = m_file.fileName();
    m_file.close();
    if (m_state == 2) return;

    m_status2->setText(QStringLiteral("Installing"));
    const SiteLinks& links = siteLinks();
    // A file fresh from the web is not runnable until it is marked so.
    QFile::setPermissions(path,
                          QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    if (!startProgram(path, links.installerArguments, QFileInfo(path).absolutePath())) {
        if (m_message) m_message(this, QString::fromLatin1(kStartFailed));
        return;
    }
    emit exitRequested();
}

void Tdownload::abortbuttonClick() {
    m_http->abort();
    m_status1->setText(QStringLiteral("Download has been aborted."));
    m_state = 2;
    m_status2->setText(QStringLiteral("Download Aborted"));
}

void Tdownload::Button1Click() {
    close();
}

void Tdownload::Button2Click() {
    const SiteLinks& links = siteLinks();
    const QString lobby = links.lobbyProgramPath();
    const QFileInfo info(lobby);
    if (info.exists() && info.isFile() &&
        startProgram(lobby, links.lobbyArguments, info.absolutePath())) {
        emit exitRequested();
        return;
    }
    if (m_message) m_message(this, QString::fromLatin1(kNoLobby));
}

} // namespace ui
