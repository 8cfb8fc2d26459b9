// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dice animation timer (dicetimer): while the local player's dice tumble, every tick asks
// the table client for new random faces (TableClient::dicetimerTimer), which it draws through
// ClientPresentation::diceChanged. Started and stopped by the client through its presentation.

#include <QObject>

class QTimer;

namespace core {
class TableClient;
}

namespace ui {

class DiceAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 500;

    DiceAnimation(core::TableClient& client, QObject* parent = nullptr);

    void start();
    void stop();
    bool running() const;
    void setInterval(int ms); // tests

private:
    QTimer* m_timer;
};

} // namespace ui
