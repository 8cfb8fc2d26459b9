// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read-only chat view ("mainchat"): draws a ChatModel as wrapped paragraphs of bold words
// in their sender's colour, green underlined links and smiley pictures.
//
// Each line is laid out once, when it is written, and kept; only a change of width or text
// size lays everything out again. Colours are looked up in the model's line styles while
// painting, so a sender's new colour reaches its earlier lines without any layout, and only
// the visible lines are ever painted. Selection is by dragging; a single click on a link
// emits linkClicked.

#include "chat/chatmodel.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <optional>
#include <vector>

class QMenu;

namespace ui {

class ChatView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ChatView(QWidget* parent = nullptr);

    const core::ChatModel& model() const { return m_model; }

    // Writes one chat line ("<sender>+<body>") in the given colour and, unless scrolling is
    // off, brings it into sight.
    void addlinetochat(const std::string& line, std::uint32_t colour, bool withHead = true);
    // A received "CMD_chat"/"CMD_action" payload.
    void chatrecieved(const std::string& payload);
    // Removes every line and restarts link numbering.
    void clear();

    // Chat text size in points for every line style and the links; lays out at once.
    void setTextSize(int points);
    int textSize() const { return m_model.textSize(); }
    // How much larger than the chosen text size the text and smileys are drawn (the window's
    // zoom, 1 at the normal size); the chosen size itself stays as it is.
    void setScale(qreal factor);
    qreal scale() const { return m_scale; }

    void setScrollChatOff(bool off) { m_scrollOff = off; }
    bool scrollChatOff() const { return m_scrollOff; }

    void selectAll();
    bool hasSelection() const;
    // The selected text as the clipboard gets it: a carriage return before each paragraph.
    QString selectedText() const;
    // Puts the selected text on the clipboard; does nothing without a selection.
    void copy();

    // Menu shown on a right click (owned elsewhere).
    void setContextMenu(QMenu* menu) { m_contextMenu = menu; }

    // Where item `item` of line `line` is drawn, in viewport coordinates (first fragment).
    QRect itemRect(int line, int item) const;
    // The link number under a viewport point.
    std::optional<int> linkAt(QPoint viewportPos) const;

signals:
    void linkClicked(int link);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A piece of an item on one row (a word longer than the row is split over several).
    struct Frag {
        int item;
        int from; // first character within the item's text
        int len;  // characters (0 for a picture)
        int row;  // row within the line
        qreal x;  // from the left margin
        qreal width;
    };
    struct LineLayout {
        std::vector<QString> texts; // per item; empty for pictures
        std::vector<Frag> frags;
        int rows = 1;
    };
    // A place in the text: line, item, character offset within the item.
    struct Pos {
        int line = 0;
        int item = 0;
        int offset = 0;
        auto operator<=>(const Pos&) const = default;
    };

    void updateFonts();
    void relayoutAll();
    LineLayout layoutLine(const core::ChatLine& line) const;
    qreal availableWidth() const;
    int lineTop(int line) const; // content y of a line
    int contentHeight() const;
    int firstLineAt(int contentY) const; // line containing content y (clamped)
    void updateScrollRange();
    const QFont& fontFor(const core::ChatLine& line, const core::ChatItem& item) const;
    Pos hitTest(QPoint viewportPos) const;
    const Frag* fragAt(QPoint viewportPos, int* lineOut) const;
    qreal offsetX(const Frag& f, const QString& text, const QFont& font, int offset) const;
    void setSelection(Pos anchor, Pos head);

    core::ChatModel m_model;
    std::vector<LineLayout> m_layouts;
    std::vector<int> m_rowStart; // rows before each line, plus a final total
    QFont m_textFont;
    QFont m_plainFont;
    QFont m_linkFont;
    int m_rowHeight = 17;
    int m_ascent = 12;
    int m_textHeight = 14;
    int m_laidOutWidth = -1;
    qreal m_scale = 1.0;
    QSizeF m_smiley; // a smiley as drawn

    bool m_scrollOff = false;
    bool m_selecting = false;
    bool m_dragged = false;
    std::optional<int> m_pressedLink;
    QPoint m_pressPoint;
    Pos m_anchor;
    Pos m_selStart;
    Pos m_selEnd;
    QMenu* m_contextMenu = nullptr;
};

} // namespace ui
