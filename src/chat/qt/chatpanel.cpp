// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/chatpanel.h"

#include "chat/chatsend.h"
#include "chat/qt/chatcolours.h"
#include "chat/qt/chatview.h"
#include "widgets/boardpalette.h"
#include "widgets/goldbutton.h"
#include "widgets/smileys.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {

const QString ChatPanel::kPlaceholder = QStringLiteral("<Enter Chat Here>");
const QString ChatPanel::kCannotOpenLink = QStringLiteral("Cannot open Webpage");

namespace {

const QColor kEntryBackground = ui::BoardPalette::cream();
constexpr std::array<int, 4> kTextSizes{8, 10, 12, 14};

// The tenth phrase button answers the release of any mouse button (not only a left click),
// so it has to take every press itself rather than let it pass to the panel.
class ReleaseButton : public GoldButton {
public:
    using GoldButton::GoldButton;
    std::function<void()> onRelease;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton)
            GoldButton::mousePressEvent(e);
        else
            e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) GoldButton::mouseReleaseEvent(e);
        if (rect().contains(e->position().toPoint()) && onRelease) onRelease();
    }
};

constexpr int kEntryFontPx = 13;
constexpr qreal kMaxScale = 4.0;
constexpr qreal kScaleStep = 0.05; // the window's zoom is followed in steps this fine

} // namespace

ChatPanel::ChatPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chatpanel"));
    m_clock.start();
    m_now = [this] { return m_clock.elapsed(); };
    m_openLink = [](const QString& address) {
        // Addresses such as "www.example.com" carry no scheme; let Qt read them as a user
        // would type them. Whether the browser then manages is not our concern.
        const QUrl url = QUrl::fromUserInput(address);
        if (!url.isValid()) return false;
        QDesktopServices::openUrl(url);
        return true;
    };
    m_showMessage = [this](const QString& text) {
        QMessageBox::information(window(), QGuiApplication::applicationDisplayName(), text);
    };
    m_chooseColour = [this](const QColor& current) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, window());
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };

    m_view = new ChatView(this);
    connect(m_view, &ChatView::linkClicked, this, &ChatPanel::mainchatJump);

    m_entry = new QLineEdit(kPlaceholder, this);
    m_entry->setObjectName(QStringLiteral("mychat"));
    m_entry->setMaxLength(std::numeric_limits<int>::max());
    m_entry->setContextMenuPolicy(Qt::CustomContextMenu);
    m_entry->installEventFilter(this);
    applyEntryColour();

    m_smilies = new GoldButton(this);
    m_smilies->setObjectName(QStringLiteral("button_smilies"));
    m_smilies->setToolTip(tr("Smileys"));

    auto* phraseRow = new QHBoxLayout;
    phraseRow->setContentsMargins(0, 0, 0, 0);
    phraseRow->setSpacing(3);
    for (int n = 1; n <= core::kPhraseCount; ++n) {
        GoldButton* b = nullptr;
        if (n == core::kPhraseCount) {
            auto* last = new ReleaseButton(this);
            last->onRelease = [this, last] {
                emit chatterMenuRequested(last->mapToGlobal(last->rect().bottomRight()));
            };
            last->setText(QString(QChar(0x266B))); // beamed notes: the chatter sounds
            b = last;
        } else {
            b = new GoldButton(this);
            b->setText(QString::number(n));
            connect(b, &QToolButton::clicked, this, [this, n] { phraseClicked(n); });
        }
        b->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        b->setToolTip(QString::fromUtf8(core::kDefaultPhrases[static_cast<std::size_t>(n - 1)]));
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_phraseButtons[static_cast<std::size_t>(n - 1)] = b;
        phraseRow->addWidget(b);
    }

    auto* entryRow = new QHBoxLayout;
    entryRow->setContentsMargins(0, 0, 0, 0);
    entryRow->setSpacing(3);
    entryRow->addWidget(m_entry, 1);
    entryRow->addWidget(m_smilies);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_view, 1);
    layout->addLayout(entryRow);
    layout->addLayout(phraseRow);

    buildMenus();
    applyScale();
    setTextSize(core::kDefaultTextSize);
}

void ChatPanel::buildMenus() {
    m_popupMainchat = new QMenu(this);
    m_popupMainchat->setObjectName(QStringLiteral("popup_mainchat"));
    m_selectAll = m_popupMainchat->addAction(tr("Select All"), m_view, &ChatView::selectAll);
    m_copy = m_popupMainchat->addAction(tr("Copy"), m_view, &ChatView::copy);
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m_copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_view->addAction(m_copy);
    m_clear = m_popupMainchat->addAction(tr("Clear Main Chat"), this, &ChatPanel::clearMainChat);
    m_popupMainchat->addSeparator();
    m_scrollOff = m_popupMainchat->addAction(tr("Scroll Chat Off"));
    m_scrollOff->setCheckable(true);
    m_scrollOff->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_scrollOff->setShortcutContext(Qt::WindowShortcut);
    addAction(m_scrollOff); // live while the panel's window is active, menu shown or not
    connect(m_scrollOff, &QAction::toggled, m_view, &ChatView::setScrollChatOff);
    m_view->setContextMenu(m_popupMainchat);

    m_popupMychat = new QMenu(this);
    m_popupMychat->setObjectName(QStringLiteral("popup_mychat"));
    m_paste = m_popupMychat->addAction(tr("Paste"), this, &ChatPanel::pasteIntoEntry);
    // Ctrl+V itself is caught in the entry's key handler, which replaces the whole text.
    m_paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_paste->setShortcutContext(Qt::WidgetShortcut);
    connect(m_entry, &QLineEdit::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_popupMychat->popup(m_entry->mapToGlobal(pos)); });

    m_smileyMenu = new QMenu(this);
    m_smileyMenu->setObjectName(QStringLiteral("popup_smilies"));
    for (int i = 0; i < kSmileyPictures; ++i) {
        QAction* a = m_smileyMenu->addAction(smileyCode(i));
        a->setData(i);
        connect(a, &QAction::triggered, this, [this, i] { insertSmiley(i); });
    }
    // The pictures are painted when the menu first opens, not while the window starts.
    connect(m_smileyMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : m_smileyMenu->actions())
            if (a->icon().isNull()) a->setIcon(QIcon(smileyPixmap(a->data().toInt(), 2.0)));
    });
    connect(m_smilies, &QToolButton::clicked, this, [this] {
        m_smileyMenu->popup(m_smilies->mapToGlobal(m_smilies->rect().bottomRight()));
    });

    m_textColor = new QAction(tr("Text Color"), this);
    connect(m_textColor, &QAction::triggered, this, &ChatPanel::chooseTextColour);

    m_textSizeMenu = new QMenu(tr("Text Size"), this);
    m_textSizeGroup = new QActionGroup(this);
    // A size read from the settings file need not be one of the four; then none is checked.
    m_textSizeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int size : kTextSizes) {
        QAction* a = m_textSizeMenu->addAction(QString::number(size));
        a->setCheckable(true);
        a->setData(size);
        m_textSizeGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, size] {
            setTextSize(size);
            emit textSizeChanged(size);
        });
    }
}

// ---- view ----------------------------------------------------------------------------------

void ChatPanel::addlinetochat(const std::string& line, std::uint32_t colour, bool withHead) {
    m_view->addlinetochat(line, colour, withHead);
}

void ChatPanel::chatrecieved(const std::string& payload) {
    m_view->chatrecieved(payload);
}

void ChatPanel::clearMainChat() {
    m_view->clear();
    m_entry->setFocus(Qt::OtherFocusReason);
}

void ChatPanel::mainchatJump(int link) {
    const std::optional<std::string> address = m_view->model().linkTarget(link);
    if (!address || !m_openLink(QString::fromStdString(*address))) m_showMessage(kCannotOpenLink);
}

// ---- session and preferences ---------------------------------------------------------------

void ChatPanel::setSession(bool loggedin, int myslot) {
    m_loggedin = loggedin;
    m_myslot = myslot;
}

void ChatPanel::setTextColour(std::uint32_t colour) {
    m_textColour = colour;
    applyEntryColour();
}

void ChatPanel::applyEntryColour() {
    QPalette pal = m_entry->palette();
    pal.setColor(QPalette::Base, kEntryBackground);
    pal.setColor(QPalette::Text, toQColor(m_textColour));
    m_entry->setPalette(pal);
}

void ChatPanel::chooseTextColour() {
    const std::optional<QColor> chosen = m_chooseColour(toQColor(m_textColour));
    if (!chosen) return;
    setTextColour(fromQColor(*chosen));
    emit textColourChanged(m_textColour);
}

void ChatPanel::setTextSize(int points) {
    m_view->setTextSize(points);
    for (QAction* a : m_textSizeGroup->actions())
        a->setChecked(a->data().toInt() == points);
}

int ChatPanel::textSize() const {
    return m_view->textSize();
}

void ChatPanel::setScale(qreal factor) {
    factor = std::clamp(std::round(factor / kScaleStep) * kScaleStep, 1.0, kMaxScale);
    if (qFuzzyCompare(factor, m_scale)) return;
    m_scale = factor;
    applyScale();
}

void ChatPanel::applyScale() {
    m_view->setScale(m_scale);
    QFont entryFont(QStringLiteral("Arial"));
    entryFont.setPixelSize(int(std::lround(kEntryFontPx * m_scale)));
    m_entry->setFont(entryFont);
    m_smilies->setIcon(QIcon(smileyPixmap(0, 2.0 * m_scale)));
    m_smilies->setIconSize(QSizeF(kSmileyWidth * m_scale, kSmileyHeight * m_scale).toSize());
    m_smilies->setScale(m_scale);
    for (GoldButton* b : m_phraseButtons)
        b->setScale(m_scale);
}

void ChatPanel::setPhrase(int n, const QString& phrase) {
    if (n < 1 || n > core::kPhraseCount) return;
    m_phraseButtons[static_cast<std::size_t>(n - 1)]->setToolTip(phrase);
}

QString ChatPanel::phrase(int n) const {
    if (n < 1 || n > core::kPhraseCount) return {};
    return m_phraseButtons[static_cast<std::size_t>(n - 1)]->toolTip();
}

void ChatPanel::setLinkOpener(std::function<bool(const QString&)> opener) {
    m_openLink = std::move(opener);
}
void ChatPanel::setMessageBox(std::function<void(const QString&)> show) {
    m_showMessage = std::move(show);
}
void ChatPanel::setColourChooser(std::function<std::optional<QColor>(const QColor&)> choose) {
    m_chooseColour = std::move(choose);
}
void ChatPanel::setClock(std::function<qint64()> nowMs) {
    m_now = std::move(nowMs);
}

// ---- sending -------------------------------------------------------------------------------

void ChatPanel::sendit() {
    const core::SendResult r =
        core::sendit(m_entry->text().toStdString(), m_loggedin, m_myslot, m_textColour);
    if (r.message) emit sendRequested(QString::fromStdString(*r.message));
    if (r.clearEntry) m_entry->clear();
}

void ChatPanel::phraseClicked(int n) {
    // Without a slot there is nobody to speak as; the lock is not taken either.
    if (!m_loggedin) return;
    const qint64 now = m_now();
    if (!m_phraseLock.phraseready(now)) return;
    emit sendRequested(QString::fromStdString(
        core::phraseMessage(phrase(n).toStdString(), m_myslot, m_textColour)));
    m_phraseLock.lock(now);
}

void ChatPanel::clearPlaceholder() {
    if (m_entry->text() == kPlaceholder) m_entry->clear();
}

void ChatPanel::insertSmiley(int index) {
    clearPlaceholder();
    m_entry->setText(m_entry->text() + smileyCode(index));
    m_entry->deselect();
    m_entry->setCursorPosition(static_cast<int>(m_entry->text().size()));
}

void ChatPanel::pasteIntoEntry() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return;
    m_entry->setText(QGuiApplication::clipboard()->text());
}

bool ChatPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_entry && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        clearPlaceholder();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            sendit();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            pasteIntoEntry();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
