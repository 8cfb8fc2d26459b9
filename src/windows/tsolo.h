// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The solo advert, "Bramblies - Solo": an invitation, a link line and a picture, each of
// which opens the solo game's page, and "Done". Centred on the table window when shown.

#include <QWidget>

class QLabel;

namespace ui {

class Tsolo : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kClickHere = "Click HERE to learn how to Play Brambles Solo!";

    explicit Tsolo(QWidget* parent = nullptr);

public slots:
    void Label6Click();
    void button_doneClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace ui
