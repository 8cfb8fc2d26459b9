// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/qt/boardview.h"

#include "client/boardmodel.h"
#include "client/qt/boardaccessibility.h"
#include "client/qt/boardlayout.h"
#include "client/qt/seatmenupopup.h"
#include "client/tableclient.h"
#include "client/tablefields.h"
#include "widgets/boardpalette.h"
#include "widgets/categorybar.h"
#include "widgets/categorybutton.h"
#include "widgets/columnhighlight.h"
#include "widgets/dieview.h"
#include "widgets/elidedlabel.h"
#include "widgets/firstframe.h"
#include "widgets/markview.h"
#include "widgets/picturebutton.h"
#include "widgets/piplayout.h"
#include "widgets/rollsindicator.h"
#include "widgets/rotatedlabel.h"
#include "widgets/trimmedcard.h"

#include <QAction>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>

#include <cmath>

namespace ui {

namespace pieces = ui;
namespace grid = boardlayout;

namespace {

const QColor kInk = ui::BoardPalette::ink();
const QColor kGreyInk(0x59, 0x59, 0x59);
const QColor kCream = ui::BoardPalette::cream();
const QColor kPaleGold = ui::BoardPalette::paleGold();
const QColor kGold = ui::BoardPalette::gold();
const QColor kDeepGold = ui::BoardPalette::deepGold();
const QColor kFelt = ui::BoardPalette::felt();
const QColor kDieRed = ui::BoardPalette::dieRed();

const char* kPanelErrorText = "If you do not select a category, you will roll all five dice again.";
const char* kPanelErrorQuestion = "Roll Without Selecting A Category?";
const char* kPanelError1Text = "You must select a Category before rolling your third roll.";

// Row names shown faintly beside the category buttons, so the sheet can be read while no
// button is up (between games, and in rows a turn does not offer).
const char* const kRowNames[core::kCategoryCount] = {"Ones",  "Twos",  "Threes", "Fours",
                                                     "Fives", "Sixes", "Bramble"};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

core::MouseButton toCore(Qt::MouseButton b) {
    if (b == Qt::LeftButton) return core::MouseButton::Left;
    if (b == Qt::RightButton) return core::MouseButton::Right;
    return core::MouseButton::Middle;
}

} // namespace

struct BoardView::Widgets {
    QLabel* logo = nullptr;
    QLabel* round = nullptr;
    QLabel* limit = nullptr;
    pieces::ElidedLabel* status = nullptr;
    pieces::ColumnHighlight* scoreturn = nullptr;
    std::array<std::array<QLabel*, core::kScoreRows>, core::kSeatCount> cells{};
    std::array<pieces::CategoryButton*, core::kCategoryCount> buttons{};
    std::array<pieces::CategoryBar*, core::kCategoryCount> bars{};
    std::array<pieces::MarkView*, core::kCategoryCount> catMarks{};
    std::array<pieces::DieView*, core::kDiceCount> dice{};
    std::array<pieces::MarkView*, core::kDiceCount> bonus{};
    pieces::RollsIndicator* rolls = nullptr;
    pieces::PictureButton* start = nullptr;
    pieces::PictureButton* roll = nullptr;
    std::array<pieces::RotatedLabel*, core::kSeatCount> names{};
    std::array<pieces::MarkView*, core::kSeatCount> eyes{};
    std::array<pieces::MarkView*, core::kSeatCount> notPlaying{}; // seats 3..6
    std::array<pieces::MarkView*, core::kSeatCount> winnerMarks{};
    QFrame* winnerPanel = nullptr;
    QLabel* winner1 = nullptr;
    QLabel* winner2 = nullptr;
    QFrame* panelError = nullptr;
    QFrame* panelError1 = nullptr;
    pieces::PictureButton* yes = nullptr;
    pieces::PictureButton* no = nullptr;
    pieces::PictureButton* ok = nullptr;
};

BoardView::BoardView(core::TableClient& client, QWidget* parent)
    : QWidget(parent), m_client(client), m_w(new Widgets) {
    setObjectName("board");
    // The board paints every pixel of itself: nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    build();
    refresh();
    // What the painted controls tell a screen reader follows every redraw.
    m_accessibility = new BoardAccessibility(m_client, this);
    connect(this, &BoardView::refreshed, m_accessibility, &BoardAccessibility::update);
}

BoardView::~BoardView() {
    delete m_w;
}

QLabel* BoardView::makeLabel(QWidget* parent, const QString& name, const QString& text,
                             const boardlayout::Slot& slot, Qt::Alignment align, bool bold) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(align);
    QFont f = l->font();
    f.setBold(bold);
    l->setFont(f);
    place(l, slot);
    return l;
}

void BoardView::place(QWidget* w, const QRectF& design) {
    place(w, boardlayout::Slot{design});
}

void BoardView::place(QWidget* w, const boardlayout::Slot& slot) {
    m_placed.push_back({w, slot.box, slot.fontPx});
    apply(m_placed.back());
}

void BoardView::moveTo(QWidget* w, const QRectF& design) {
    for (auto& p : m_placed)
        if (p.widget == w) {
            if (p.design == design) return;
            p.design = design;
            apply(p);
            return;
        }
}

QRect BoardView::toBoard(const QRectF& design) const {
    const QRectF r(m_offset + design.topLeft() * m_scale, design.size() * m_scale);
    return QRect(QPoint(std::lround(r.left()), std::lround(r.top())),
                 QPoint(std::lround(r.right()) - 1, std::lround(r.bottom()) - 1));
}

void BoardView::apply(const Placed& p) {
    const QPointF origin = p.widget->parentWidget() == this ? m_offset : QPointF();
    const QRectF r(origin + p.design.topLeft() * m_scale, p.design.size() * m_scale);
    p.widget->setGeometry(QRect(QPoint(std::lround(r.left()), std::lround(r.top())),
                                QPoint(std::lround(r.right()) - 1, std::lround(r.bottom()) - 1)));
    if (p.fontPx > 0) {
        QFont f = p.widget->font();
        f.setPixelSize(std::max(6, int(std::lround(p.fontPx * m_scale))));
        p.widget->setFont(f);
    }
}

void BoardView::layoutAll() {
    const qreal before = m_scale;
    m_scale = std::min(width() / qreal(kDesignWidth), height() / qreal(kDesignHeight));
    m_offset =
        QPointF((width() - kDesignWidth * m_scale) / 2, (height() - kDesignHeight * m_scale) / 2);
    for (const auto& p : m_placed)
        apply(p);
    if (!qFuzzyCompare(before, m_scale)) emit scaleChanged(m_scale);
    emit laidOut();
}

void BoardView::resizeEvent(QResizeEvent*) {
    layoutAll();
    m_background = QPixmap();
    update();
}

void BoardView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_background = QPixmap();
        update();
    }
    QWidget::changeEvent(event);
}

// The pieces are made in drawing order: what is made later lies on top.
void BoardView::build() {
    buildHeader();
    buildSheet();
    buildSeats();
    buildDice();
    buildPanels();
    // The seat menu opened on the name labels.
    m_seatMenu = new SeatMenuPopup(m_client, this);
}

void BoardView::buildHeader() {
    Widgets& w = *m_w;
    // Header: logo, round and limit; the status line under it.
    w.logo =
        makeLabel(this, "Image3", "Bramblies", grid::kLogo, Qt::AlignLeft | Qt::AlignVCenter, true);
    {
        QFont f = w.logo->font();
        f.setFamily("DejaVu Serif");
        f.setItalic(true);
        w.logo->setFont(f);
        QPalette pal = w.logo->palette();
        pal.setColor(QPalette::WindowText, kDieRed.darker(115));
        w.logo->setPalette(pal);
        w.logo->setCursor(Qt::PointingHandCursor);
        w.logo->installEventFilter(this);
    }
    w.round =
        makeLabel(this, "label_round", {}, grid::kRound, Qt::AlignRight | Qt::AlignVCenter, true);
    w.limit = makeLabel(this, "label_rl", {}, grid::kLimit, Qt::AlignRight | Qt::AlignVCenter);
    w.status = new pieces::ElidedLabel(this);
    w.status->setObjectName("label_status");
    w.status->setAlignment(Qt::AlignCenter);
    {
        QFont f = w.status->font();
        f.setBold(true);
        w.status->setFont(f);
    }
    place(w.status, grid::kStatus);
}

void BoardView::buildSheet() {
    Widgets& w = *m_w;
    // Score sheet. The highlight goes first so the cells are drawn over it.
    w.scoreturn = new pieces::ColumnHighlight(this);
    w.scoreturn->setObjectName("image_scoreturn");
    place(w.scoreturn, grid::scoreHighlight(core::BoardModel::columnLeft(1)));

    for (int n = 1; n <= core::kCategoryCount; ++n) {
        auto* bar = new pieces::CategoryBar(n, this);
        bar->setObjectName(QString("image_spacer%1").arg(n));
        place(bar, grid::categoryBar(n, core::kIdleBarWidth));
        connect(bar, &QAbstractButton::clicked, this, [this, n] { m_client.categoryClick(n); });
        w.bars[n - 1] = bar;

        auto* button = new pieces::CategoryButton(n, this);
        button->setObjectName(QString("image_button%1").arg(n));
        place(button, grid::categoryButton(n));
        connect(button, &QAbstractButton::clicked, this, [this, n] { m_client.categoryClick(n); });
        w.buttons[n - 1] = button;

        auto* mark = new pieces::MarkView(pieces::MarkView::Kind::Category, this);
        mark->setObjectName(QString("image_cat%1").arg(n));
        place(mark, grid::categoryMark(n));
        w.catMarks[n - 1] = mark;
    }
}

void BoardView::buildSeats() {
    Widgets& w = *m_w;
    // Each seat's column: its score cells, name label and marks.
    for (int s = 1; s <= core::kSeatCount; ++s) {
        for (int r = 1; r <= core::kScoreRows; ++r) {
            QLabel* cell = makeLabel(this, QString("score_%1%2").arg(s).arg(r), {},
                                     grid::scoreCell(s, r), Qt::AlignCenter);
            w.cells[s - 1][r - 1] = cell;
        }

        auto* name = new pieces::RotatedLabel(this);
        name->setObjectName(QString("label_playername%1").arg(s));
        place(name, grid::seatName(s));
        {
            QFont f = name->font();
            f.setBold(true);
            name->setFont(f);
        }
        connect(name, &pieces::RotatedLabel::mouseReleased, this,
                [this, s](Qt::MouseButton b, const QPoint& pos) {
                    m_seatMenu->seatLabelReleased(s, b, pos);
                });
        w.names[s - 1] = name;

        auto* eyes = new pieces::MarkView(pieces::MarkView::Kind::Eyes, this);
        eyes->setObjectName(QString("image_eyes%1").arg(s));
        place(eyes, grid::eyesMark(s));
        w.eyes[s - 1] = eyes;

        if (s >= 3) {
            auto* np = new pieces::MarkView(pieces::MarkView::Kind::NotPlaying, this);
            np->setObjectName(QString("image_notplaying%1").arg(s));
            place(np, grid::notPlayingMark(s));
            w.notPlaying[s - 1] = np;
        }

        auto* crown = new pieces::MarkView(pieces::MarkView::Kind::Winner, this);
        crown->setObjectName(QString("image_winner%1").arg(s));
        place(crown, grid::winnerMark(s));
        w.winnerMarks[s - 1] = crown;
    }
}

void BoardView::buildDice() {
    Widgets& w = *m_w;
    // Dice with their bonus marks, the rolls indicator and the Start/Roll place.
    for (int d = 1; d <= core::kDiceCount; ++d) {
        auto* bonus = new pieces::MarkView(pieces::MarkView::Kind::Bonus, this);
        bonus->setObjectName(QString("image_bonus%1").arg(d));
        place(bonus, grid::bonusMark(d));
        w.bonus[d - 1] = bonus;

        auto* die = new pieces::DieView(this);
        die->setObjectName(QString("image_d%1").arg(d));
        die->setCursor(Qt::PointingHandCursor);
        // Nothing but the board's own painting lies under a die.
        die->setBackdrop([this, die](QPainter& p, const QRect& area) {
            paintKeptBackground(p, area.translated(die->pos()), area.topLeft());
        });
        place(die, grid::die(d, core::kDieRestTop));
        connect(die, &pieces::DieView::mouseReleased, this,
                [this, d](Qt::MouseButton b) { m_client.image_dMouseUp(d, toCore(b)); });
        w.dice[d - 1] = die;
    }
    w.rolls = new pieces::RollsIndicator(this);
    w.rolls->setObjectName("image_rolls");
    place(w.rolls, grid::kRolls);

    w.start = new pieces::PictureButton("Start", this);
    w.start->setObjectName("button_start");
    place(w.start, grid::kStartRoll);
    connect(w.start, &QAbstractButton::clicked, this, [this] { m_client.button_startClick(); });
    w.roll = new pieces::PictureButton("Roll", this);
    w.roll->setObjectName("button_roll");
    place(w.roll, grid::kStartRoll);
    connect(w.roll, &QAbstractButton::clicked, this, [this] { m_client.button_rollClick(); });
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(w.start), static_cast<QAbstractButton*>(w.roll)}) {
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
    }
}

void BoardView::buildPanels() {
    Widgets& w = *m_w;
    // Panels float over the sheet.
    auto makePanel = [this](const QString& name, const QRectF& r) {
        auto* panel = new pieces::TrimmedCard(kCream, kDeepGold, 2, 8, this);
        panel->setObjectName(name);
        place(panel, r);
        return panel;
    };
    auto makePanelButton = [this](QWidget* parent, const QString& name, const QString& text,
                                  const boardlayout::Slot& slot) {
        auto* b = new pieces::PictureButton(text, parent);
        b->setObjectName(name);
        place(b, slot);
        return b;
    };

    // The winner panel covers the dice tray, whose dice mean nothing once the game is over,
    // and leaves the final score sheet and the winners' crowns in view.
    w.winnerPanel = makePanel("panel_winner", grid::kWinnerPanel);
    w.winner2 =
        makeLabel(w.winnerPanel, "label_winner2", {}, grid::kWinner2, Qt::AlignCenter, true);
    w.winner1 =
        makeLabel(w.winnerPanel, "label_winner1", {}, grid::kWinner1, Qt::AlignCenter, true);
    w.winner1->setWordWrap(true);
    w.winner2->setWordWrap(true);
    {
        QPalette pal = w.winner2->palette();
        pal.setColor(QPalette::WindowText, QColor(150, 150, 150));
        w.winner2->setPalette(pal);
        pal.setColor(QPalette::WindowText, kDieRed.darker(110));
        w.winner1->setPalette(pal);
    }

    w.panelError = makePanel("panel_error", grid::kPanelError);
    auto* t1 =
        makeLabel(w.panelError, "label_error", kPanelErrorText, grid::kErrorText, Qt::AlignCenter);
    t1->setWordWrap(true);
    makeLabel(w.panelError, "label_error2", kPanelErrorQuestion, grid::kErrorQuestion,
              Qt::AlignCenter, true);
    auto* yes = w.yes = makePanelButton(w.panelError, "button_yes", "Yes", grid::kYes);
    auto* no = w.no = makePanelButton(w.panelError, "button_no", "No", grid::kNo);
    connect(yes, &QAbstractButton::clicked, this, [this] { m_client.button_yesClick(); });
    connect(no, &QAbstractButton::clicked, this, [this] { m_client.button_noClick(); });

    w.panelError1 = makePanel("panel_error1", grid::kPanelError1);
    auto* t2 = makeLabel(w.panelError1, "label_error1", kPanelError1Text, grid::kError1Text,
                         Qt::AlignCenter, true);
    t2->setWordWrap(true);
    auto* ok = w.ok = makePanelButton(w.panelError1, "button_ok", "OK", grid::kOk);
    connect(ok, &QAbstractButton::clicked, this, [this] { m_client.button_okClick(); });
}

DieView* BoardView::die(int n) const {
    return m_w->dice[static_cast<std::size_t>(n - 1)];
}

QAbstractButton* BoardView::rollButton() const {
    return m_w->roll;
}

QAbstractButton* BoardView::startButton() const {
    return m_w->start;
}

QAbstractButton* BoardView::categoryTile(int n) const {
    return m_w->buttons[static_cast<std::size_t>(n - 1)];
}

QWidget* BoardView::categoryBar(int n) const {
    return m_w->bars[static_cast<std::size_t>(n - 1)];
}

QWidget* BoardView::warningPanel() const {
    return m_w->panelError;
}

QWidget* BoardView::thirdRollPanel() const {
    return m_w->panelError1;
}

QAbstractButton* BoardView::yesButton() const {
    return m_w->yes;
}

QAbstractButton* BoardView::noButton() const {
    return m_w->no;
}

QAbstractButton* BoardView::okButton() const {
    return m_w->ok;
}

ScoreSheetCursor* BoardView::sheetCursor() const {
    return m_accessibility->sheet();
}

bool BoardView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_w->logo && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) emit logoClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BoardView::refresh() {
    const core::BoardModel& b = m_client.board();
    Widgets& w = *m_w;

    w.round->setText(q(b.roundText));
    w.limit->setText(q(b.limitLabel));
    // A long name is cut inside "NAME's turn", never the words after it.
    const QString status = q(b.status);
    const QString turnEnding = QString::fromLatin1(core::kSomeonesTurn);
    w.status->setFullText(status, status.endsWith(turnEnding) ? int(turnEnding.size()) : 0);

    refreshSheet();
    moveTo(w.scoreturn, grid::scoreHighlight(b.scoreturnLeft));
    w.scoreturn->setVisible(b.scoreturnVisible);
    refreshCategories();
    refreshDice();
    w.rolls->setRolls(b.rollsUsed());
    refreshRowHeaders();
    refreshPanels();
    emit refreshed();
}

// The score cells, and each seat's name with its marks.
void BoardView::refreshSheet() {
    const core::BoardModel& b = m_client.board();
    Widgets& w = *m_w;
    for (int s = 1; s <= core::kSeatCount; ++s) {
        for (int r = 1; r <= core::kScoreRows; ++r) {
            const core::ScoreCell& c = b.cell(s, r);
            QLabel* cell = w.cells[s - 1][r - 1];
            cell->setText(q(c.text));
            QFont f = cell->font();
            if (f.bold() != c.bold) {
                f.setBold(c.bold);
                cell->setFont(f);
            }
            const QColor ink = c.grey ? kGreyInk : Qt::black;
            if (cell->palette().color(QPalette::WindowText) != ink) {
                QPalette pal = cell->palette();
                pal.setColor(QPalette::WindowText, ink);
                cell->setPalette(pal);
            }
        }
        const core::SeatState& seat = b.seat(s);
        w.names[s - 1]->setText(q(seat.label));
        // A name too long for the room below the seat's mark is cut short before the mark
        // rather than running under it (measured at the design size, so at any scale).
        QFont designFont = w.names[s - 1]->font();
        designFont.setPixelSize(grid::kNameFontPx);
        const bool crowded = (seat.eyes || seat.notPlaying) &&
                             QFontMetricsF(designFont).horizontalAdvance(q(seat.label)) >
                                 grid::kLabelH - grid::kMarkH;
        const qreal markRoom = crowded ? grid::kMarkH : 0;
        moveTo(w.names[s - 1], grid::seatName(s, markRoom).box);
        w.eyes[s - 1]->setVisible(seat.eyes);
        if (w.notPlaying[s - 1]) w.notPlaying[s - 1]->setVisible(seat.notPlaying);
        w.winnerMarks[s - 1]->setVisible(seat.winnerMark);
    }
}

void BoardView::refreshCategories() {
    const core::BoardModel& b = m_client.board();
    Widgets& w = *m_w;
    for (int n = 1; n <= core::kCategoryCount; ++n) {
        const core::CategoryState& c = b.category(n);
        w.buttons[n - 1]->setVisible(c.buttonVisible);
        w.buttons[n - 1]->setSelectable(c.selectable);
        w.bars[n - 1]->setSelectable(c.selectable);
        moveTo(w.bars[n - 1], grid::categoryBar(n, c.barWidth));
        w.bars[n - 1]->setVisible(c.barVisible);
        w.catMarks[n - 1]->setVisible(c.markVisible);
    }
}

void BoardView::refreshRowHeaders() {
    const core::BoardModel& b = m_client.board();
    // The row headers under the category buttons follow the buttons and bars.
    unsigned headers = 0;
    for (int n = 1; n <= core::kCategoryCount; ++n) {
        const core::CategoryState& c = b.category(n);
        headers |= (c.buttonVisible ? 1u : 0u) << (2 * n);
        headers |= (c.barVisible ? 2u : 0u) << (2 * n);
    }
    if (headers != m_headersDrawn) {
        m_headersDrawn = headers;
        m_background = QPixmap();
        update();
    }
}

// The turn's buttons, the warning panels and the winner's.
void BoardView::refreshPanels() {
    const core::BoardModel& b = m_client.board();
    Widgets& w = *m_w;
    w.start->setVisible(b.startVisible);
    w.roll->setVisible(b.rollVisible);
    w.panelError->setVisible(b.panelErrorVisible);
    w.panelError1->setVisible(b.panelError1Visible);
    w.winnerPanel->setVisible(b.winnerPanelVisible);
    w.winner1->setText(q(b.winner1));
    w.winner2->setText(q(b.winner2));
    // Panels stay above everything else they cover.
    for (QWidget* panel :
         {static_cast<QWidget*>(w.winnerPanel), static_cast<QWidget*>(w.panelError),
          static_cast<QWidget*>(w.panelError1)})
        if (panel->isVisibleTo(this)) panel->raise();
}

void BoardView::refreshDice() {
    const core::BoardModel& b = m_client.board();
    Widgets& w = *m_w;
    for (int d = 1; d <= core::kDiceCount; ++d) {
        const core::DieState& die = b.die(d);
        pieces::DieView* view = w.dice[d - 1];
        moveTo(view, grid::die(d, die.top));
        if (die.body == core::DieBody::Blank)
            view->clear();
        else
            view->draw(die.pips, die.body == core::DieBody::Bonus ? pieces::DieView::Body::Bonus
                                                                  : pieces::DieView::Body::Plain);
        w.bonus[d - 1]->setVisible(die.bonusMark);
    }
}

namespace {

// A die face sketched in ink rather than painted as a die: quiet enough to sit under the
// category buttons, plain enough to read at row height. The Bramble gets its staircase.
void paintFaceSketch(QPainter& p, const QRectF& area, int category) {
    const qreal side = area.height() - 2;
    const QRectF face(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    const QColor line(163, 128, 18, 150);
    const QColor ink(110, 78, 20, 175);
    p.setPen(QPen(line, 1.0));
    p.setBrush(QColor(255, 255, 255, 130));
    p.drawRoundedRect(face, side * 0.2, side * 0.2);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    if (category == core::kCategoryCount) {
        const QRectF b = face.adjusted(side * 0.22, side * 0.22, -side * 0.22, -side * 0.22);
        QPainterPath steps;
        steps.moveTo(b.bottomLeft());
        for (int i = 0; i < 3; ++i) {
            const qreal top = b.bottom() - (i + 1) * b.height() / 3;
            steps.lineTo(b.left() + i * b.width() / 3, top);
            steps.lineTo(b.left() + (i + 1) * b.width() / 3, top);
        }
        steps.lineTo(b.bottomRight());
        steps.closeSubpath();
        p.drawPath(steps);
        return;
    }
    // The sketch draws the die's grid with row 0 at the top.
    const qreal step = side * 0.28;
    const qreal r = side * 0.09;
    for (const QPoint& at : pipLayout()[static_cast<std::size_t>(category)])
        p.drawEllipse(QPointF(face.center().x() + (at.x() - 1) * step,
                              face.center().y() + (at.y() - 1) * step),
                      r, r);
}

} // namespace

void BoardView::paintRowHeaders(QPainter& p) const {
    // Drawn under the buttons and bars and only where they are down, so a shown button or
    // bar looks exactly as it does without the headers.
    const core::BoardModel& b = m_client.board();
    QFont f = font();
    f.setPixelSize(10);
    f.setItalic(true);
    p.save();
    p.setFont(f);
    for (int n = 1; n <= core::kCategoryCount; ++n) {
        const core::CategoryState& c = b.category(n);
        if (!c.buttonVisible) paintFaceSketch(p, grid::rowHeaderPicture(n), n);
        if (!c.barVisible) {
            p.setPen(QColor(130, 100, 30, 200));
            p.drawText(grid::rowHeaderName(n), Qt::AlignVCenter | Qt::AlignLeft,
                       QString::fromLatin1(kRowNames[n - 1]));
        }
    }
    p.restore();
}

void BoardView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_keepBackground && !m_keepBackgroundDue) {
        m_keepBackgroundDue = true;
        QPointer<BoardView> self(this);
        FirstFrame::after(window(), [self] {
            if (self) self->m_keepBackground = true;
        });
    }
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!m_keepBackground) {
        paintBackground(p, event->rect()); // the painter is clipped to the region already
        return;
    }
    for (const QRect& r : event->region())
        paintKeptBackground(p, r, r.topLeft());
}

void BoardView::paintKeptBackground(QPainter& p, const QRect& area, const QPoint& at) {
    if (!m_keepBackground) {
        p.save();
        p.setClipRect(QRect(at, area.size()), Qt::IntersectClip);
        p.translate(at - area.topLeft());
        paintBackground(p, area);
        p.restore();
        return;
    }
    const qreal dpr = devicePixelRatioF();
    if (m_background.isNull() || m_background.deviceIndependentSize() != QSizeF(size()) ||
        m_background.devicePixelRatio() != dpr) {
        m_background = QPixmap(size() * dpr);
        m_background.setDevicePixelRatio(dpr);
        QPainter bp(&m_background);
        paintBackground(bp, rect());
    }
    p.drawPixmap(QRect(at, area.size()), m_background,
                 QRectF(QPointF(area.topLeft()) * dpr, QSizeF(area.size()) * dpr));
}

void BoardView::paintBackground(QPainter& p, const QRectF& area) const {
    // Only the parts that meet `area` are drawn: before the first frame each die paints the
    // board under itself from scratch, and the clip alone would still lay out every text.
    const auto meets = [&](const QRectF& design) {
        const QRectF r = design.adjusted(-2, -2, 2, 2); // pens and antialiasing
        return QRectF(m_offset + r.topLeft() * m_scale, r.size() * m_scale).intersects(area);
    };
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), ui::BoardPalette::paper());
    p.translate(m_offset);
    p.scale(m_scale, m_scale);

    // Status banner.
    const QRectF banner = grid::kBanner;
    if (meets(banner)) {
        p.setPen(QPen(kGold, 1.2));
        p.setBrush(kPaleGold);
        p.drawRoundedRect(banner, 8, 8);
    }

    // Dice tray.
    const QRectF tray = grid::kTray;
    if (meets(tray)) {
        QLinearGradient felt(0, grid::kFeltTop, 0, grid::kFeltBottom);
        felt.setColorAt(0, kFelt.lighter(120));
        felt.setColorAt(1, kFelt.darker(115));
        p.setPen(QPen(kDeepGold, 2));
        p.setBrush(felt);
        p.drawRoundedRect(tray, 10, 10);
    }
    const QRectF rolls = grid::kRollsCaption;
    if (meets(rolls)) {
        p.setPen(kInk);
        QFont small = font();
        small.setPixelSize(10);
        small.setBold(true);
        p.setFont(small);
        p.drawText(rolls, Qt::AlignCenter, "ROLLS");
    }

    // Score sheet card, and everything on it.
    const QRectF card = grid::kCard;
    if (!meets(card)) return;
    p.setPen(QPen(kDeepGold, 2));
    p.setBrush(kCream);
    p.drawRoundedRect(card, 10, 10);
    // The rows end with the last seat's column: nothing is drawn beyond it.
    const qreal sheetRight = grid::columnX(core::kSeatCount) + grid::kColumnW;
    p.setPen(QPen(QColor(221, 205, 150), 1));
    p.drawLine(QPointF(grid::kSheetX, grid::kRow1Y), QPointF(sheetRight, grid::kRow1Y));
    for (int r = 1; r <= core::kScoreRows; ++r) {
        const QRectF row = grid::rowRect(r);
        if (r % 2 == 0)
            p.fillRect(
                QRectF(grid::kSheetX + 44, row.top(), sheetRight - grid::kSheetX - 44, grid::kRowH),
                QColor(250, 240, 196));
        p.drawLine(QPointF(grid::kSheetX, row.bottom()), QPointF(sheetRight, row.bottom()));
    }
    paintRowHeaders(p);
    p.setPen(QPen(kDeepGold, 1.5));
    const qreal totalTop = grid::rowRect(core::kScoreRows).top() - 1;
    p.drawLine(QPointF(grid::kSheetX, totalTop), QPointF(sheetRight, totalTop));
    p.drawLine(QPointF(grid::kSheetX, totalTop - 3), QPointF(sheetRight, totalTop - 3));
    p.setPen(QPen(QColor(221, 205, 150), 1));
    for (int s = 1; s <= core::kSeatCount + 1; ++s) {
        const qreal x = grid::kSheetX + core::BoardModel::columnLeft(1) + (s - 1) * grid::kColumnW;
        p.drawLine(QPointF(x, grid::kLabelTop - 6),
                   QPointF(x, grid::rowRect(core::kScoreRows).bottom()));
    }
    QFont label = font();
    label.setPixelSize(13);
    label.setBold(true);
    p.setFont(label);
    p.setPen(kInk);
    p.drawText(QRectF(grid::kSheetX, grid::rowRect(core::kScoreRows).top(), 82, grid::kRowH),
               Qt::AlignVCenter | Qt::AlignLeft, " Total");
}

} // namespace ui
