// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby room's chat, drawn by the table's own chat view (sender colours, smileys, links,
// the same text size), with a line to type in. Each person keeps one colour for the session.

#include <QWidget>

#include <map>
#include <string>

class QLineEdit;
class QPushButton;

namespace ui {
class ChatView;
}

namespace lobby {

class LobbyChat : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxSay = 1000; // characters of one line we send

    explicit LobbyChat(QWidget* parent = nullptr);

    void addLine(const std::string& nick, const std::string& text);
    void addNotice(const QString& text);
    void setTextSize(int points);
    void setOpen(bool open); // typing only while signed in

    ui::ChatView* view() const { return m_view; }
    QLineEdit* entry() const { return m_entry; }

signals:
    void said(const QString& text);

private:
    void send();
    int styleFor(const std::string& nick);

    ui::ChatView* m_view = nullptr;
    QLineEdit* m_entry = nullptr;
    QPushButton* m_send = nullptr;
    std::map<std::string, int> m_styles;
};

} // namespace lobby
