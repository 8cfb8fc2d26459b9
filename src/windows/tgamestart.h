// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game options window: the hosting player picks the bonus-roll limit (1, 2, 5 rolls or
// unlimited) and starts a game. Exactly one box is ticked at any time. Start hands the limit
// to whoever listens (the table window sends the start and stores the choice) and hides the
// window; opening it again shows the boxes as last set. From the keyboard: Tab moves between
// the boxes and Start, the arrows move the tick, Space ticks the focused box, Enter starts.
#include <QWidget>
#include <array>

namespace ui {

class PictureButton;
class TickBox;

class Tgamestart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 224;
    static constexpr int kHeight = 214;

    explicit Tgamestart(QWidget* parent = nullptr);

    int limit() const { return m_limit; }
    // As the settings load does: untick all, tick the box for the value; a value that is not
    // one of 1, 2, 5 or 0 counts as 0 (unlimited).
    void setLimit(int limit);

    // Redraw one box by its name (image_1, image_2, image_5, image_0) as ticked or empty.
    void changebox(const QString& boxName, bool ticked);
    bool isTicked(const QString& boxName) const;

signals:
    void startRequested(int limit);

public slots:
    void button_startClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Choice {
        int value;
        const char* boxName;
        const char* label;
    };
    static const std::array<Choice, 4>& choices();
    void boxClicked(int value);
    TickBox* box(const QString& boxName) const;

    int m_limit = 0;
    bool m_placed = false;
    PictureButton* m_start = nullptr;
};

} // namespace ui
