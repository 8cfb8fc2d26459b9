// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board of the table window: score sheet, column highlight, category buttons and bars,
// dice with their bonus marks, rolls indicator, round/limit/status texts, the Start and
// Roll buttons, the two warning panels, the winner panel, the seat name labels with their
// marks, and the seat menu popup_kick (SeatMenuPopup).
//
// It shows core::TableClient's BoardModel and forwards every click to the client; it decides
// nothing itself, and redraws when the client says the board changed (after a click too). Child
// widgets carry the control names (button_roll, image_d3, score_48, label_status, ...). The whole
// board is laid out on a 380 x 470 design grid (boardlayout.h) and scaled uniformly to the space it
// is given, centred.

#include "client/qt/boardlayout.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <vector>

class QAbstractButton;
class QLabel;
class QPainter;

namespace core {
class TableClient;
}

namespace ui {

class BoardAccessibility;
class DieView;
class ScoreSheetCursor;
class SeatMenuPopup;

class BoardView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = boardlayout::kDesignWidth;
    static constexpr int kDesignHeight = boardlayout::kDesignHeight;

    explicit BoardView(core::TableClient& client, QWidget* parent = nullptr);
    ~BoardView() override;

    // Redraws every element from the client's board model. Call whenever the client says the
    // board changed (ClientPresentation::boardChanged), after a host message or a click alike.
    void refresh();
    // Redraws the five dice alone (each tick of the dice animation): nothing else on the board
    // is laid out or painted again.
    void refreshDice();

    // The controls the keyboard reaches, by what they are (tests find them by their names).
    DieView* die(int n) const;
    QAbstractButton* rollButton() const;
    QAbstractButton* startButton() const;
    QAbstractButton* categoryTile(int n) const;
    QWidget* categoryBar(int n) const;
    QWidget* warningPanel() const;   // panel_error: "Roll Without Selecting A Category?"
    QWidget* thirdRollPanel() const; // panel_error1: a category before the third roll
    QAbstractButton* yesButton() const;
    QAbstractButton* noButton() const;
    QAbstractButton* okButton() const;
    ScoreSheetCursor* sheetCursor() const;

    // How much larger than its design size the board is drawn (follows the window's size).
    qreal scale() const { return m_scale; }
    // A place on the design grid in the board's own coordinates, as laid out now.
    QRect toBoard(const QRectF& design) const;

    QSize sizeHint() const override { return {kDesignWidth, kDesignHeight}; }
    QSize minimumSizeHint() const override { return {kDesignWidth * 3 / 4, kDesignHeight * 3 / 4}; }

signals:
    // The logo at the top of the board was clicked (Image3Click: open the web page).
    void logoClicked();
    // refresh() has brought every element up to date with the model.
    void refreshed();
    // The board was laid out at another scale.
    void scaleChanged(qreal scale);
    // The board was laid out again (its size changed), at the same scale or another.
    void laidOut();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The parts of refresh(), in the order it runs them.
    void refreshSheet();
    void refreshCategories();
    void refreshRowHeaders();
    void refreshPanels();

    struct Placed {
        QWidget* widget;
        QRectF design; // in the parent's design coordinates
        qreal fontPx;  // 0: keep the font size
    };

    void build();
    void buildHeader();
    void buildSheet();
    void buildSeats();
    void buildDice();
    void buildPanels();
    QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text,
                      const boardlayout::Slot& slot, Qt::Alignment align, bool bold = false);
    void place(QWidget* w, const boardlayout::Slot& slot);
    void place(QWidget* w, const QRectF& design);
    void moveTo(QWidget* w, const QRectF& design);
    void apply(const Placed& p);
    void layoutAll();
    void paintRowHeaders(QPainter& p) const;
    // Everything the board paints itself (banner, tray, score sheet), at the window's scale;
    // only the parts that meet `area` (board coordinates).
    void paintBackground(QPainter& p, const QRectF& area) const;
    // The kept copy of that painting: area (board coordinates) drawn at `at` of p's device,
    // made again first when the size, the headers or the font have changed. Until the
    // window's first frame is up the board paints straight instead: the first frame does not
    // need the copy's memory or the time to fill all of it.
    void paintKeptBackground(QPainter& p, const QRect& area, const QPoint& at);

    core::TableClient& m_client;
    std::vector<Placed> m_placed;
    qreal m_scale = 1.0;
    QPointF m_offset;
    unsigned m_headersDrawn = 0; // button and bar visibility the row headers were drawn for
    // The board's own painting, kept between paints: a die that changes face only has its own
    // square blitted from here. Dropped when the size, the headers or the font change.
    QPixmap m_background;
    bool m_keepBackground = false;
    bool m_keepBackgroundDue = false;

    struct Widgets;
    Widgets* m_w;
    BoardAccessibility* m_accessibility = nullptr;
    SeatMenuPopup* m_seatMenu = nullptr;
};

} // namespace ui
