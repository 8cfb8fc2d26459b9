// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lobby's window: a name, a host address and whether to host or join, and above them the
// tables announced on this network, live, each with a "Join" button. It starts the game beside
// it and, while that game runs, listens on 127.0.0.1 where the game expects its lobby.

#include "lobby/qt/lobbytablemodel.h"
#include "net/qt/tablebrowser.h"

#include <QProcess>
#include <QTcpServer>
#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace lobby {

class LobbyWindow : public QWidget {
public:
    explicit LobbyWindow(QString gamePath);

    void fill(const QString& name, const QString& address, bool join);
    void startIfReady();

private:
    void connectControls();
    void updateStart();
    void startGame();
    void updateTables();

    // One "Join" button per new row; it finds its row again by the service's name, since rows
    // above it may come and go.
    void addJoinButtons(int first, int last);

    void joinTable(const QString& service, const QString& domain);
    void launch(const std::vector<std::string>& arguments);
    void acceptCompanion();
    void gameEnded();

    QString m_gamePath;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_address = nullptr;
    QRadioButton* m_host = nullptr;
    QRadioButton* m_join = nullptr;
    QPushButton* m_start = nullptr;
    QLabel* m_status = nullptr;
    QTreeView* m_tables = nullptr;
    QLabel* m_none = nullptr;
    QTcpServer m_server;
    QProcess m_game;
    ui::LobbyTableModel m_model;
    ui::TableBrowser m_browser;
};

} // namespace lobby
