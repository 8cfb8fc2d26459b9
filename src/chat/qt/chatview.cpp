// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/qt/chatview.h"

#include "chat/colourcontrast.h"
#include "chat/colourtext.h"
#include "chat/qt/chatcolours.h"
#include "widgets/boardpalette.h"
#include "widgets/smileys.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr int kMargin = 5; // left and right
constexpr int kTopPad = 3;
constexpr int kBottomPad = 3;
constexpr int kMinTextSize = 4; // a settings file may hold anything; keep fonts usable
constexpr int kMaxTextSize = 72;
constexpr qreal kMaxScale = 4.0;
const QColor kBackground = ui::BoardPalette::cream();
const QString kFontFamily = QStringLiteral("Arial");

bool isPicture(const core::ChatItem& item) {
    return item.kind == core::ChatItem::Kind::Smiley;
}

int trailingSpaces(const QString& s, int from, int len) {
    int n = 0;
    while (n < len && s.at(from + len - 1 - n) == QLatin1Char(' '))
        ++n;
    return n;
}

} // namespace

ChatView::ChatView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("mainchat"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, kBackground);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(false);
    m_rowStart.push_back(0);
    updateFonts();
}

// ---- writing -------------------------------------------------------------------------------

void ChatView::addlinetochat(const std::string& line, std::uint32_t colour, bool withHead) {
    std::array<core::LineStyle, core::kLineStyleCount> before;
    for (int i = 0; i < core::kLineStyleCount; ++i)
        before[i] = m_model.style(i);

    const int n = m_model.addlinetochat(line, colour, withHead);
    const bool restyled =
        before[n].colour != m_model.style(n).colour || before[n].bold != m_model.style(n).bold;

    if (m_laidOutWidth != viewport()->width()) {
        relayoutAll();
    } else {
        m_layouts.push_back(layoutLine(m_model.lines().back()));
        m_rowStart.push_back(m_rowStart.back() + m_layouts.back().rows);
    }
    updateScrollRange();
    if (!m_scrollOff) verticalScrollBar()->setValue(verticalScrollBar()->maximum());

    const int last = static_cast<int>(m_layouts.size()) - 1;
    if (restyled) {
        // Earlier lines of this sender may be in sight and must take the new colour.
        viewport()->update();
    } else {
        const int y = lineTop(last) - verticalScrollBar()->value();
        viewport()->update(0, y, viewport()->width(), m_layouts.back().rows * m_rowHeight);
    }
}

void ChatView::chatrecieved(const std::string& payload) {
    const core::ChatPayload p = core::parseChatPayload(payload);
    addlinetochat(p.line, p.colour);
}

void ChatView::clear() {
    m_model.clear();
    m_layouts.clear();
    m_rowStart.assign(1, 0);
    m_anchor = m_selStart = m_selEnd = Pos{};
    m_selecting = false;
    m_pressedLink.reset();
    updateScrollRange();
    viewport()->update();
}

void ChatView::setTextSize(int points) {
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_model.setTextSize(std::clamp(points, kMinTextSize, kMaxTextSize));
    updateFonts();
    relayoutAll();
    updateScrollRange();
    if (atEnd && !m_scrollOff) bar->setValue(bar->maximum());
    viewport()->update();
}

void ChatView::setScale(qreal factor) {
    factor = std::clamp(factor, 1.0, kMaxScale);
    if (qFuzzyCompare(factor, m_scale)) return;
    m_scale = factor;
    setTextSize(m_model.textSize());
}

// ---- layout --------------------------------------------------------------------------------

void ChatView::updateFonts() {
    m_plainFont = QFont(kFontFamily);
    m_plainFont.setPointSizeF(m_model.textSize() * m_scale);
    m_textFont = m_plainFont;
    m_textFont.setBold(true);
    m_linkFont = m_plainFont;
    m_linkFont.setUnderline(true);
    const QFontMetrics bold(m_textFont);
    const QFontMetrics plain(m_plainFont);
    m_textHeight = std::max(bold.height(), plain.height());
    m_ascent = std::max(bold.ascent(), plain.ascent());
    m_smiley = QSizeF(kSmileyWidth, kSmileyHeight) * m_scale;
    m_rowHeight = std::max(m_textHeight, int(std::ceil(m_smiley.height())) + 1);
}

qreal ChatView::availableWidth() const {
    return std::max(1, viewport()->width() - 2 * kMargin);
}

const QFont& ChatView::fontFor(const core::ChatLine& line, const core::ChatItem& item) const {
    if (item.kind == core::ChatItem::Kind::Link) return m_linkFont;
    return m_model.style(line.style).bold ? m_textFont : m_plainFont;
}

ChatView::LineLayout ChatView::layoutLine(const core::ChatLine& line) const {
    LineLayout out;
    const qreal avail = availableWidth();
    const QFontMetricsF textMetrics(m_textFont), plainMetrics(m_plainFont), linkMetrics(m_linkFont);
    qreal x = 0;
    int row = 0;
    out.texts.resize(line.items.size());
    for (int i = 0; i < static_cast<int>(line.items.size()); ++i) {
        const core::ChatItem& item = line.items[static_cast<std::size_t>(i)];
        if (isPicture(item)) {
            const qreal w = m_smiley.width() + 1;
            if (x + w > avail && x > 0) {
                ++row;
                x = 0;
            }
            out.frags.push_back({i, 0, 0, row, x, w});
            x += w;
            continue;
        }
        QString& text = out.texts[static_cast<std::size_t>(i)];
        text = QString::fromStdString(item.text);
        const QFont& font = fontFor(line, item);
        const QFontMetricsF& fm = &font == &m_linkFont   ? linkMetrics
                                  : &font == &m_textFont ? textMetrics
                                                         : plainMetrics;
        const int len = static_cast<int>(text.size());
        const int spaces = trailingSpaces(text, 0, len);
        const qreal inkWidth = fm.horizontalAdvance(text.left(len - spaces));
        const qreal fullWidth = fm.horizontalAdvance(text);
        if (x + inkWidth <= avail || (x == 0 && inkWidth <= avail)) {
            out.frags.push_back({i, 0, len, row, x, fullWidth});
            x += fullWidth;
            continue;
        }
        if (inkWidth <= avail) {
            ++row;
            out.frags.push_back({i, 0, len, row, 0, fullWidth});
            x = fullWidth;
            continue;
        }
        // Longer than a whole row (a long address, say): break it between characters.
        int from = 0;
        while (from < len) {
            const int rest = len - from;
            int lo = 0, hi = rest; // largest count that fits in what is left of the row
            while (lo < hi) {
                const int mid = (lo + hi + 1) / 2;
                if (x + fm.horizontalAdvance(text.mid(from, mid)) <= avail)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            int count = lo;
            if (count > 0 && count < rest && text.at(from + count - 1).isHighSurrogate()) --count;
            if (count == 0 && x > 0) {
                ++row;
                x = 0;
                continue;
            }
            if (count == 0) count = (rest > 1 && text.at(from).isHighSurrogate()) ? 2 : 1;
            const qreal w = fm.horizontalAdvance(text.mid(from, count));
            out.frags.push_back({i, from, count, row, x, w});
            from += count;
            if (from < len) {
                ++row;
                x = 0;
            } else {
                x += w;
            }
        }
    }
    out.rows = row + 1;
    return out;
}

void ChatView::relayoutAll() {
    m_laidOutWidth = viewport()->width();
    const auto& lines = m_model.lines();
    m_layouts.clear();
    m_layouts.reserve(lines.size());
    m_rowStart.assign(1, 0);
    m_rowStart.reserve(lines.size() + 1);
    for (const core::ChatLine& line : lines) {
        m_layouts.push_back(layoutLine(line));
        m_rowStart.push_back(m_rowStart.back() + m_layouts.back().rows);
    }
}

int ChatView::lineTop(int line) const {
    return kTopPad + m_rowStart[static_cast<std::size_t>(line)] * m_rowHeight;
}

int ChatView::contentHeight() const {
    return kTopPad + m_rowStart.back() * m_rowHeight + kBottomPad;
}

int ChatView::firstLineAt(int contentY) const {
    if (m_layouts.empty()) return 0;
    const int row = std::max(0, (contentY - kTopPad) / m_rowHeight);
    const auto it = std::upper_bound(m_rowStart.begin(), m_rowStart.end(), row);
    const int line = static_cast<int>(it - m_rowStart.begin()) - 1;
    return std::clamp(line, 0, static_cast<int>(m_layouts.size()) - 1);
}

void ChatView::updateScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, contentHeight() - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(m_rowHeight);
}

void ChatView::resizeEvent(QResizeEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QAbstractScrollArea::resizeEvent(event);
    if (viewport()->width() != m_laidOutWidth) relayoutAll();
    updateScrollRange();
    if (atEnd && !m_scrollOff) bar->setValue(bar->maximum());
}

// ---- painting ------------------------------------------------------------------------------

void ChatView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRect dirty = event->rect();
    p.fillRect(dirty, kBackground);
    if (m_layouts.empty()) return;

    const int scroll = verticalScrollBar()->value();
    const QPalette& pal = palette();
    const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
    const QColor highlightText = pal.color(QPalette::Active, QPalette::HighlightedText);
    const QColor linkColour = toQColor(core::kClGreen);
    const qreal dpr = viewport()->devicePixelRatioF();
    const bool selection = hasSelection();
    const auto& lines = m_model.lines();

    for (int l = firstLineAt(dirty.top() + scroll); l < static_cast<int>(m_layouts.size()); ++l) {
        const int top = lineTop(l) - scroll;
        if (top > dirty.bottom()) break;
        const core::ChatLine& line = lines[static_cast<std::size_t>(l)];
        const LineLayout& layout = m_layouts[static_cast<std::size_t>(l)];
        // The sender's colour as chosen, darkened only where it would vanish into the paper.
        const QColor colour = toQColor(core::readableOn(
            fromQColor(toQColor(m_model.style(line.style).colour)), fromQColor(kBackground)));

        for (const Frag& f : layout.frags) {
            const core::ChatItem& item = line.items[static_cast<std::size_t>(f.item)];
            const qreal x = kMargin + f.x;
            const int y = top + f.row * m_rowHeight;
            if (y > dirty.bottom() || y + m_rowHeight < dirty.top()) continue;

            // Selected part of this fragment, as character offsets within the item.
            int a = 0, b = 0;
            if (selection) {
                const int len = isPicture(item) ? 1 : static_cast<int>(layout.texts[f.item].size());
                const Pos begin{l, f.item, 0}, end{l, f.item, len};
                if (end > m_selStart && begin < m_selEnd) {
                    a = (m_selStart > begin) ? m_selStart.offset : 0;
                    b = (m_selEnd < end) ? m_selEnd.offset : len;
                }
            }

            if (isPicture(item)) {
                if (b > a) p.fillRect(QRectF(x, y, f.width, m_rowHeight), highlight);
                const QPixmap picture = smileyPixmap(item.smiley, dpr * m_scale);
                p.drawPixmap(
                    QRectF(QPointF(x, y + (m_rowHeight - m_smiley.height()) / 2), m_smiley),
                    picture, QRectF(QPointF(0, 0), picture.size()));
                continue;
            }

            const QString& text = layout.texts[static_cast<std::size_t>(f.item)];
            const QFont& font = fontFor(line, item);
            const bool link = item.kind == core::ChatItem::Kind::Link;
            // Links are underlined up to their last letter, not under the trailing space.
            const int drawLen = link ? f.len - trailingSpaces(text, f.from, f.len) : f.len;
            const QString piece = text.mid(f.from, drawLen);
            const QPointF baseline(x, y + (m_rowHeight - m_textHeight) / 2 + m_ascent);
            p.setFont(font);
            p.setPen(link ? linkColour : colour);
            p.drawText(baseline, piece);

            const int sa = std::max(a, f.from), sb = std::min(b, f.from + f.len);
            if (sb > sa) {
                const qreal x0 = offsetX(f, text, font, sa), x1 = offsetX(f, text, font, sb);
                const QRectF band(kMargin + x0, y, x1 - x0, m_rowHeight);
                p.fillRect(band, highlight);
                p.save();
                p.setClipRect(band);
                p.setPen(highlightText);
                p.drawText(baseline, piece);
                p.restore();
            }
        }
    }
}

qreal ChatView::offsetX(const Frag& f, const QString& text, const QFont& font, int offset) const {
    const int n = std::clamp(offset - f.from, 0, f.len);
    return f.x + QFontMetricsF(font).horizontalAdvance(text.mid(f.from, n));
}

// ---- hit testing and selection -------------------------------------------------------------

const ChatView::Frag* ChatView::fragAt(QPoint viewportPos, int* lineOut) const {
    if (m_layouts.empty()) return nullptr;
    const int cy = viewportPos.y() + verticalScrollBar()->value();
    const int l = firstLineAt(cy);
    const int top = lineTop(l);
    if (cy < top) return nullptr;
    const int row = (cy - top) / m_rowHeight;
    const qreal px = viewportPos.x() - kMargin;
    for (const Frag& f : m_layouts[static_cast<std::size_t>(l)].frags) {
        if (f.row == row && px >= f.x && px < f.x + f.width) {
            if (lineOut) *lineOut = l;
            return &f;
        }
    }
    return nullptr;
}

std::optional<int> ChatView::linkAt(QPoint viewportPos) const {
    int l = 0;
    const Frag* f = fragAt(viewportPos, &l);
    if (!f) return std::nullopt;
    const core::ChatItem& item =
        m_model.lines()[static_cast<std::size_t>(l)].items[static_cast<std::size_t>(f->item)];
    if (item.kind != core::ChatItem::Kind::Link) return std::nullopt;
    return item.link;
}

ChatView::Pos ChatView::hitTest(QPoint viewportPos) const {
    if (m_layouts.empty()) return {};
    const int cy = viewportPos.y() + verticalScrollBar()->value();
    const int lastLine = static_cast<int>(m_layouts.size()) - 1;
    const auto endOf = [&](int l) {
        const auto& items = m_model.lines()[static_cast<std::size_t>(l)].items;
        const int last = static_cast<int>(items.size()) - 1;
        const int len = isPicture(items.back())
                            ? 1
                            : static_cast<int>(m_layouts[static_cast<std::size_t>(l)]
                                                   .texts[static_cast<std::size_t>(last)]
                                                   .size());
        return Pos{l, last, len};
    };
    if (cy < kTopPad) return {};
    if (cy >= lineTop(lastLine) + m_layouts.back().rows * m_rowHeight) return endOf(lastLine);

    const int l = firstLineAt(cy);
    const LineLayout& layout = m_layouts[static_cast<std::size_t>(l)];
    const core::ChatLine& line = m_model.lines()[static_cast<std::size_t>(l)];
    const int row = std::clamp((cy - lineTop(l)) / m_rowHeight, 0, layout.rows - 1);
    const qreal px = viewportPos.x() - kMargin;

    const Frag* chosen = nullptr;
    for (const Frag& f : layout.frags) {
        if (f.row != row) continue;
        chosen = &f;
        if (px < f.x + f.width) break;
    }
    if (!chosen) return endOf(l);
    const Frag& f = *chosen;
    const core::ChatItem& item = line.items[static_cast<std::size_t>(f.item)];
    if (px <= f.x) return {l, f.item, f.from};
    if (isPicture(item)) return {l, f.item, px < f.x + f.width / 2 ? 0 : 1};
    if (px >= f.x + f.width) return {l, f.item, f.from + f.len};

    // Nearest character boundary within the fragment.
    const QString& text = layout.texts[static_cast<std::size_t>(f.item)];
    const QFontMetricsF fm(fontFor(line, item));
    qreal prev = f.x;
    for (int k = 1; k <= f.len; ++k) {
        const qreal next = f.x + fm.horizontalAdvance(text.mid(f.from, k));
        if (px < next) return {l, f.item, f.from + ((px - prev < next - px) ? k - 1 : k)};
        prev = next;
    }
    return {l, f.item, f.from + f.len};
}

void ChatView::setSelection(Pos anchor, Pos head) {
    m_selStart = std::min(anchor, head);
    m_selEnd = std::max(anchor, head);
    viewport()->update();
}

void ChatView::selectAll() {
    if (m_layouts.empty()) return;
    const int last = static_cast<int>(m_layouts.size()) - 1;
    const auto& items = m_model.lines().back().items;
    const int lastItem = static_cast<int>(items.size()) - 1;
    const int len =
        isPicture(items.back()) ? 1 : static_cast<int>(m_layouts.back().texts.back().size());
    setSelection(Pos{}, Pos{last, lastItem, len});
}

bool ChatView::hasSelection() const {
    return m_selStart < m_selEnd;
}

QString ChatView::selectedText() const {
    QString out;
    if (!hasSelection()) return out;
    const auto& lines = m_model.lines();
    for (int l = m_selStart.line; l <= m_selEnd.line && l < static_cast<int>(lines.size()); ++l) {
        const auto& items = lines[static_cast<std::size_t>(l)].items;
        const auto& texts = m_layouts[static_cast<std::size_t>(l)].texts;
        const int firstItem = l == m_selStart.line ? m_selStart.item : 0;
        const int lastItem =
            l == m_selEnd.line ? m_selEnd.item : static_cast<int>(items.size()) - 1;
        for (int i = firstItem; i <= lastItem; ++i) {
            if (isPicture(items[static_cast<std::size_t>(i)])) continue;
            const QString& text = texts[static_cast<std::size_t>(i)];
            const Pos begin{l, i, 0}, end{l, i, static_cast<int>(text.size())};
            const int a = m_selStart > begin ? m_selStart.offset : 0;
            const int b = m_selEnd < end ? m_selEnd.offset : static_cast<int>(text.size());
            if (b <= a) continue;
            if (i == 0) out += QChar(13);
            out += text.mid(a, b - a);
        }
    }
    return out;
}

void ChatView::copy() {
    if (!hasSelection()) return;
    QGuiApplication::clipboard()->setText(selectedText());
}

QRect ChatView::itemRect(int line, int item) const {
    if (line < 0 || line >= static_cast<int>(m_layouts.size())) return {};
    for (const Frag& f : m_layouts[static_cast<std::size_t>(line)].frags) {
        if (f.item != item) continue;
        const int y = lineTop(line) - verticalScrollBar()->value() + f.row * m_rowHeight;
        return QRectF(kMargin + f.x, y, f.width, m_rowHeight).toAlignedRect();
    }
    return {};
}

// ---- mouse ---------------------------------------------------------------------------------

void ChatView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_selecting = true;
    m_dragged = false;
    m_pressPoint = event->position().toPoint();
    m_pressedLink = linkAt(m_pressPoint);
    m_anchor = hitTest(m_pressPoint);
    setSelection(m_anchor, m_anchor);
}

void ChatView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!m_selecting) {
        viewport()->setCursor(linkAt(pos) ? Qt::PointingHandCursor : Qt::IBeamCursor);
        return;
    }
    if (!m_dragged && (pos - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragged = true;
    QScrollBar* bar = verticalScrollBar();
    if (pos.y() < 0) bar->setValue(bar->value() - m_rowHeight);
    if (pos.y() > viewport()->height()) bar->setValue(bar->value() + m_rowHeight);
    setSelection(m_anchor, hitTest(pos));
}

void ChatView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_selecting) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_selecting = false;
    const std::optional<int> link = linkAt(event->position().toPoint());
    if (!m_dragged && m_pressedLink && link == m_pressedLink) emit linkClicked(*link);
    m_pressedLink.reset();
}

void ChatView::contextMenuEvent(QContextMenuEvent* event) {
    if (m_contextMenu) m_contextMenu->popup(event->globalPos());
}

} // namespace ui
