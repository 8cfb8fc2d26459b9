// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chat part of the table window: the chat view "mainchat", the entry "mychat", the
// phrase buttons "b_phrase1".."b_phrase10", the smiley button and its menu, and the popup
// menus of view and entry. It sends nothing itself: every outgoing chat, action or phrase is
// handed to the window through sendRequested() as a whole message without terminator.
//
// The window also gets the actions its Options menu shows ("Text Color", the "Text Size"
// submenu, "Scroll Chat Off", "Clear Main Chat"), so a check mark is shared wherever the
// action appears.

#include "chat/phraselock.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QLineEdit;
class QMenu;
namespace ui {

class ChatView;
class GoldButton;

class ChatPanel : public QWidget {
    Q_OBJECT
public:
    static const QString kPlaceholder;    // "<Enter Chat Here>"
    static const QString kCannotOpenLink; // "Cannot open Webpage"

    explicit ChatPanel(QWidget* parent = nullptr);

    // Writing to the view (status lines, received chat, chatter-sound notices).
    void addlinetochat(const std::string& line, std::uint32_t colour, bool withHead = true);
    void chatrecieved(const std::string& payload);

    // What the table knows about this client: typed chat waits until logged in.
    void setSession(bool loggedin, int myslot);

    // The player's own chat colour (sent with every chat, action and phrase).
    void setTextColour(std::uint32_t colour);
    std::uint32_t textColour() const { return m_textColour; }
    // Chat text size in points; checks the matching "Text Size" item (none for odd sizes).
    void setTextSize(int points);
    int textSize() const;

    // Grows the chat with the window: the view's text and smileys, the entry and the buttons
    // are drawn this much larger (1 at the normal size; smaller factors count as 1). The
    // chosen text size stays the base.
    void setScale(qreal factor);
    qreal scale() const { return m_scale; }

    // Phrase n (1..10) is the tooltip of button n.
    void setPhrase(int n, const QString& phrase);
    QString phrase(int n) const;

    ChatView* view() const { return m_view; }
    QLineEdit* entry() const { return m_entry; }

    // Actions for the window's Options menu.
    QAction* textColorAction() const { return m_textColor; }
    QMenu* textSizeMenu() const { return m_textSizeMenu; }
    QAction* scrollChatOffAction() const { return m_scrollOff; }
    QAction* clearMainChatAction() const { return m_clear; }

    // Seams for tests. The link opener returns false when the address cannot be handed over;
    // the colour chooser returns nullopt on Cancel; the clock counts milliseconds.
    void setLinkOpener(std::function<bool(const QString&)> opener);
    void setMessageBox(std::function<void(const QString&)> show);
    void setColourChooser(std::function<std::optional<QColor>(const QColor&)> choose);
    void setClock(std::function<qint64()> nowMs);

public slots:
    void sendit();
    void clearMainChat();
    void mainchatJump(int link);
    void insertSmiley(int index);
    void pasteIntoEntry();
    void chooseTextColour();

signals:
    void sendRequested(const QString& message);
    void chatterMenuRequested(const QPoint& globalPos);
    // The user changed a preference (for the settings file).
    void textColourChanged(std::uint32_t colour);
    void textSizeChanged(int points);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void phraseClicked(int n);
    void clearPlaceholder();
    void applyEntryColour();
    void applyScale();

    ChatView* m_view = nullptr;
    QLineEdit* m_entry = nullptr;
    std::array<GoldButton*, 10> m_phraseButtons{};
    GoldButton* m_smilies = nullptr;
    QMenu* m_smileyMenu = nullptr;
    QMenu* m_popupMainchat = nullptr;
    QMenu* m_popupMychat = nullptr;
    QMenu* m_textSizeMenu = nullptr;
    QActionGroup* m_textSizeGroup = nullptr;
    QAction* m_selectAll = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_scrollOff = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_textColor = nullptr;

    bool m_loggedin = false;
    int m_myslot = 0;
    std::uint32_t m_textColour = 0;
    qreal m_scale = 1.0;
    core::PhraseLock m_phraseLock;
    QElapsedTimer m_clock;

    std::function<bool(const QString&)> m_openLink;
    std::function<void(const QString&)> m_showMessage;
    std::function<std::optional<QColor>(const QColor&)> m_chooseColour;
    std::function<qint64()> m_now;
};

} // namespace ui
