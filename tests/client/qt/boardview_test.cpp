// SPDX-License-Identifier: GPL-3.0-or-later
// The board widget: element names, what it shows for the model, and the clicks it forwards.
#include "client/fakeclientport.h"
#include "client/qt/boardview.h"
#include "client/qt/diceanimation.h"
#include "client/tableclient.h"
#include "widgets/firstframe.h"
#include "widgets/rotatedlabel.h"

#include <QAbstractButton>
#include <QAction>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The fake port, redrawing the board and tumbling its dice like the window does.
class Port : public test::FakeClientPort {
public:
    ui::BoardView* view = nullptr;
    ui::DiceAnimation* dice = nullptr;
    void boardChanged() override {
        if (view) view->refresh();
    }
    void diceChanged() override {
        if (view) view->refreshDice();
    }
    void startDiceAnimation() override {
        FakeClientPort::startDiceAnimation();
        if (dice) dice->start();
    }
    void stopDiceAnimation() override {
        FakeClientPort::stopDiceAnimation();
        if (dice) dice->stop();
    }
};

struct Fixture {
    Port port;
    core::TableClient client{port, 3};
    ui::BoardView view{client};
    ui::DiceAnimation dice{client, &view};
    explicit Fixture(int slot = 1, bool host = true) {
        port.view = &view;
        port.dice = &dice;
        client.processparams({"Me", "10.0.0.5", host ? "true" : "x"});
        msg("CMD_sendlogininfo+" + std::to_string(slot));
        msg("CMD_newplayerinfo+" + std::to_string(slot) + "+Me+0");
        msg(slot == 2 ? "CMD_existingplayers+1+Ann+0" : "CMD_existingplayers+2+Bob+0");
        view.resize(ui::BoardView::kDesignWidth, ui::BoardView::kDesignHeight);
        view.show();
        port.clear();
    }
    void msg(const std::string& m) { client.handleMessage(m); }
    template <class T = QWidget> T* get(const QString& name) {
        T* w = view.findChild<T*>(name);
        if (!w) qFatal("missing %s", qPrintable(name));
        return w;
    }
    bool shown(const QString& name) { return get(name)->isVisible(); }
    QString text(const QString& name) { return get<QLabel>(name)->text(); }
};

} // namespace

class BoardViewTest : public QObject {
    Q_OBJECT
private slots:
    void hasEveryNamedElement();
    void showsATurnAndForwardsClicks();
    void warningPanels();
    void seatMenu();
    void winnerPanelAndScaling();
    void diceAnimationTicks();
    void rowHeadersWithoutButtons();
    void namesGiveWayToMarks();
    void sheetEndsWithTheLastSeat();
    void diceDrawTheBoardUnderThemAsTheBoardDoes();
    void longNamesUseTheRoomThereIs();
};

void BoardViewTest::hasEveryNamedElement() {
    Fixture f;
    QStringList names{"image_scoreturn", "image_rolls",  "label_round",   "label_rl",
                      "label_status",    "panel_winner", "label_winner1", "label_winner2",
                      "button_start",    "button_roll",  "panel_error",   "button_yes",
                      "button_no",       "panel_error1", "button_ok",     "dicetimer",
                      "popup_kick"};
    for (int s = 1; s <= 6; ++s) {
        for (int r = 1; r <= 8; ++r)
            names << QString("score_%1%2").arg(s).arg(r);
        names << QString("label_playername%1").arg(s) << QString("image_eyes%1").arg(s)
              << QString("image_winner%1").arg(s);
        if (s >= 3) names << QString("image_notplaying%1").arg(s);
    }
    for (int n = 1; n <= 7; ++n)
        names << QString("image_button%1").arg(n) << QString("image_spacer%1").arg(n)
              << QString("image_cat%1").arg(n);
    for (int d = 1; d <= 5; ++d)
        names << QString("image_d%1").arg(d) << QString("image_bonus%1").arg(d);
    for (const QString& n : names)
        QVERIFY2(f.view.findChild<QObject*>(n), qPrintable(n));

    QCOMPARE(f.text("label_status"), QString("Welcome to Brambles"));
    QCOMPARE(f.text("label_round"), QString("Round: 0"));
    QCOMPARE(f.text("label_rl"), QString("Bonus Rolls Limited to 5 Rolls"));
    QVERIFY(f.shown("button_start"));
    QVERIFY(!f.shown("button_roll"));
    QVERIFY(!f.shown("image_scoreturn"));
    QVERIFY(!f.shown("panel_winner"));
    QVERIFY(!f.shown("panel_error"));
    QVERIFY(!f.shown("image_eyes1"));
}

void BoardViewTest::showsATurnAndForwardsClicks() {
    Fixture f;
    f.msg("CMD_startgame+Me+2+");
    QVERIFY(!f.shown("button_start"));
    QVERIFY(f.shown("image_notplaying3"));
    f.msg("CMD_nextplayer+1+1+1+2+3+4+5+6+7");
    QVERIFY(f.dice.running());
    QCOMPARE(f.text("label_status"), QString("Your Turn"));
    QVERIFY(f.shown("image_scoreturn"));
    QVERIFY(f.shown("image_button3"));
    QVERIFY(!f.shown("image_spacer3"));
    QVERIFY(f.get<QLabel>("score_11")->font().bold());
    QCOMPARE(f.get<QLabel>("score_21")->palette().color(QPalette::WindowText),
             QColor(0x59, 0x59, 0x59));

    // A click is redrawn once, when the client says the board changed.
    QSignalSpy redrawn(&f.view, &ui::BoardView::refreshed);
    QTest::mouseClick(f.get("button_roll"), Qt::LeftButton);
    QCOMPARE(f.port.with("send:"), std::vector<std::string>{"send:CMD_rollthedice+1+1+2+3+4+5"});
    QVERIFY(!f.shown("button_roll"));
    QCOMPARE(redrawn.count(), 1);

    f.msg("CMD_createdice+1+1+1+3+2+3+3+3+4+6+5+1");
    QVERIFY(!f.dice.running());
    QVERIFY(f.shown("button_roll"));
    QWidget* d2 = f.get("image_d2");
    const int restY = d2->y();
    QTest::mouseClick(d2, Qt::LeftButton);
    QVERIFY(f.client.board().die(2).held);
    QVERIFY(d2->y() < restY);
    QTest::mouseClick(d2, Qt::RightButton); // only the left button holds
    QVERIFY(f.client.board().die(2).held);

    QTest::mouseClick(f.get("image_button3"), Qt::LeftButton);
    QCOMPARE(f.port.with("send:").back(), std::string("send:CMD_selectcat+1+3+"));
    f.msg("CMD_selectedcat+1+3+");
    QVERIFY(f.shown("image_spacer3"));
    QVERIFY(f.shown("image_cat3"));
    QVERIFY(!f.shown("image_button4"));
    QCOMPARE(f.get("image_spacer3")->width(), 50);
    QCOMPARE(f.text("label_status"), QString("Looking for THREES"));

    f.msg("CMD_postscores+1+9+9+3+");
    QCOMPARE(f.text("score_13"), QString("9"));
    QCOMPARE(f.text("score_18"), QString("9"));
    f.view.grab().save(QDir::temp().filePath("boardview_turn.png"));
}

void BoardViewTest::warningPanels() {
    Fixture f;
    f.msg("CMD_nextplayer+1+1+1+2+3+4+5+6+7");
    f.msg("CMD_createdice+1+1+1+3+2+3+3+3+4+6+5+1");
    QTest::mouseClick(f.get("button_roll"), Qt::LeftButton);
    QVERIFY(f.shown("panel_error"));
    f.view.grab().save(QDir::temp().filePath("boardview_panel.png"));
    QTest::mouseClick(f.get("button_no"), Qt::LeftButton);
    QVERIFY(!f.shown("panel_error"));
    QTest::mouseClick(f.get("button_roll"), Qt::LeftButton);
    QTest::mouseClick(f.get("button_yes"), Qt::LeftButton);
    QVERIFY(!f.shown("panel_error"));
    QCOMPARE(f.port.with("send:"), std::vector<std::string>{"send:CMD_rollthedice+1+1+2+3+4+5"});

    f.msg("CMD_createdice+1+2+1+3+2+3+3+3+4+6+5+1");
    QTest::mouseClick(f.get("button_roll"), Qt::LeftButton);
    QVERIFY(f.shown("panel_error1"));
    QTest::mouseClick(f.get("button_ok"), Qt::LeftButton);
    QVERIFY(!f.shown("panel_error1"));
}

void BoardViewTest::seatMenu() {
    Fixture host(1, true);
    auto* label = host.get("label_playername3");
    QTest::mouseClick(label, Qt::RightButton);
    auto* menu = host.get<QMenu>("popup_kick");
    auto* remove = menu->findChild<QAction*>("RemoveFromGame1");
    QVERIFY(remove && !remove->isEnabled()); // "<Waiting>"
    QVERIFY(menu->findChild<QAction*>("SettoJustWatch1")->isEnabled());
    menu->hide();
    QTest::mouseClick(host.get("label_playername2"), Qt::RightButton);
    QVERIFY(remove->isEnabled());
    remove->trigger();
    menu->hide();
    QCOMPARE(host.port.with("send:"), std::vector<std::string>{"send:CMD_kickhim+1+2+"});

    Fixture guest(2, false);
    QTest::mouseClick(guest.get("label_playername1"), Qt::RightButton);
    auto* gmenu = guest.get<QMenu>("popup_kick");
    for (QAction* a : gmenu->actions())
        QVERIFY(!a->isEnabled());
    gmenu->hide();
}

void BoardViewTest::winnerPanelAndScaling() {
    Fixture f(2, false);
    f.msg("CMD_startgame+Ann+0+");
    f.msg("CMD_nextplayer+2+7+1");
    f.msg("CMD_postscores+2+120+3+1+");
    f.msg("CMD_winner+2+0+");
    QVERIFY(f.shown("panel_winner"));
    QVERIFY(f.shown("image_winner2"));
    QVERIFY(!f.shown("image_winner1"));
    QCOMPARE(f.text("label_winner1"), QString("You have Won the Game!"));
    QCOMPARE(f.text("label_status"), QString("Game Over!"));
    // The panel leaves the final sheet and the crowns in view, and Start beside it.
    const QRect panel = f.get("panel_winner")->geometry();
    for (QLabel* cell : f.view.findChildren<QLabel*>(QRegularExpression("^score_\\d\\d$")))
        QVERIFY2(!panel.intersects(cell->geometry()), qPrintable(cell->objectName()));
    QVERIFY(!panel.intersects(f.get("image_winner2")->geometry()));
    QVERIFY(!panel.intersects(f.get("button_start")->geometry()));
    f.view.grab().save(QDir::temp().filePath("boardview_winner.png"));

    // Twice the space: everything scales together.
    const int cellW = f.get("score_11")->width();
    f.view.resize(2 * ui::BoardView::kDesignWidth, 2 * ui::BoardView::kDesignHeight);
    QCOMPARE(f.get("score_11")->width(), 2 * cellW);
    f.view.grab().save(QDir::temp().filePath("boardview_large.png"));
}

namespace {

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

void BoardViewTest::diceAnimationTicks() {
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    f.dice.setInterval(5);
    f.msg("CMD_nextplayer+1+1+1");
    QTRY_VERIFY(f.client.board().die(1).pips != 0);
    f.view.repaint(); // whatever the turn changed on the board is painted now
    // A tick repaints the dice over the board's kept picture, never the board itself.
    PaintCounter board, die;
    f.view.installEventFilter(&board);
    f.get("image_d1")->installEventFilter(&die);
    QTRY_VERIFY(die.paints >= 3);
    QCOMPARE(board.paints, 0);
    QTest::mouseClick(f.get("image_d1"), Qt::LeftButton); // tumbling: no hold
    QVERIFY(!f.client.board().die(1).held);
}

// Dark pixels in a part of the board's picture: ink, not the sheet's cream paper.
static int inkIn(const QImage& image, const QRect& r) {
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 190) ++count;
    return count;
}

void BoardViewTest::rowHeadersWithoutButtons() {
    // Between games no category button is up, yet every row says what it is: a picture where
    // the button sits and a name between it and the first score column. Under a shown button
    // the button is all there is.
    Fixture f;
    const QImage idle = f.view.grab().toImage();
    const int nameRight = f.get("score_11")->x() - 4; // clear of the column highlight
    auto pictureRect = [&f](int n) { return f.get(QString("image_button%1").arg(n))->geometry(); };
    auto nameRect = [&](int n) {
        const QRect b = pictureRect(n);
        return QRect(QPoint(b.right() + 3, b.top()), QPoint(nameRight, b.bottom()));
    };
    for (int n = 1; n <= 7; ++n) {
        QVERIFY(!f.shown(QString("image_button%1").arg(n)));
        QVERIFY2(inkIn(idle, pictureRect(n)) > 0, qPrintable(QString("picture of row %1").arg(n)));
        QVERIFY2(inkIn(idle, nameRect(n)) > 5, qPrintable(QString("name of row %1").arg(n)));
        if (n > 1) QVERIFY(idle.copy(nameRect(n)) != idle.copy(nameRect(n - 1)));
    }
    // The working category's bar lies over its row's name.
    f.msg("CMD_startgame+Me+0+");
    f.msg("CMD_nextplayer+1+1+1+2+3+4+5+6+7");
    f.msg("CMD_createdice+1+1+1+3+2+3+3+3+4+6+5+1");
    f.msg("CMD_selectedcat+1+3+");
    QVERIFY(f.shown("image_spacer3") && !f.shown("image_button2"));
    const QImage turn = f.view.grab().toImage();
    QCOMPARE(turn.copy(nameRect(2)), idle.copy(nameRect(2)));
    QVERIFY(turn.copy(nameRect(3)) != idle.copy(nameRect(3)));
}

void BoardViewTest::namesGiveWayToMarks() {
    Fixture f;
    f.msg("CMD_existingplayers+3+Christopherson Longname+1+5+Wilhelmina+0");
    f.msg("CMD_startgame+Me+0+"); // seats 4 and 6 wait: not playing
    // A name is drawn upwards from the label's foot; its top must stay clear of a shown mark
    // (a pixel or two of the mark's transparent edge aside).
    auto clear = [&f](int seat, const char* mark) {
        auto* label = f.get<ui::RotatedLabel>(QString("label_playername%1").arg(seat));
        QWidget* m = f.get(QString("%1%2").arg(mark).arg(seat));
        const qreal advance = QFontMetricsF(label->font()).horizontalAdvance(label->text());
        const qreal textTop =
            label->geometry().bottom() - 2 - std::min(advance, label->height() - 4.0);
        return !m->isVisible() || textTop >= m->geometry().bottom() - 2;
    };
    for (int seat = 1; seat <= 6; ++seat) {
        QVERIFY2(clear(seat, "image_eyes"), qPrintable(QString("eyes %1").arg(seat)));
        if (seat >= 3)
            QVERIFY2(clear(seat, "image_notplaying"), qPrintable(QString("mark %1").arg(seat)));
    }
    QVERIFY(f.shown("image_eyes3") && f.shown("image_notplaying4"));
    f.view.grab().save(QDir::temp().filePath("boardview_names.png"));
    // Without a mark a name keeps the whole height.
    QVERIFY(f.get("label_playername5")->height() > f.get("label_playername3")->height());
    f.msg("CMD_justwatching+3+2");
    QCOMPARE(f.get("label_playername3")->height(), f.get("label_playername5")->height());
}

void BoardViewTest::sheetEndsWithTheLastSeat() {
    // Right of seat 6's column only the card's plain cream shows, on every row line too.
    Fixture f;
    const QImage board = f.view.grab().toImage();
    const QRect last = f.get("score_68")->geometry();
    const QColor cream =
        board.pixelColor(last.right() + 6, f.get("Image3")->geometry().bottom() + 150);
    QCOMPARE(cream, QColor(254, 248, 211));
    for (int r = 1; r <= 8; ++r) {
        const QRect cell = f.get(QString("score_6%1").arg(r))->geometry();
        for (int y = cell.top() - 2; y <= cell.bottom() + 2; ++y)
            QVERIFY2(board.pixelColor(cell.right() + 6, y) == cream,
                     qPrintable(QString("row %1, y %2").arg(r).arg(y)));
    }
}

void BoardViewTest::diceDrawTheBoardUnderThemAsTheBoardDoes() {
    // Before the first frame each die draws the board under itself from scratch (only what
    // meets it); afterwards from the kept picture of the whole board. Both look the same, but
    // for the felt's gradient, which may round one step apart between the two.
    Fixture f;
    f.msg("CMD_startgame+Bob+5+");
    f.msg("CMD_nextplayer+1+1+1+2+3+4+5+6+");
    f.msg("CMD_createdice+1+1+1+2+2+3+3+4+4+5+5+6+");
    QRect dice;
    for (int d = 1; d <= 5; ++d)
        dice |= f.get(QString("image_d%1").arg(d))->geometry();
    dice.adjust(-4, -4, 4, 4);
    const QImage drawnAlone = f.view.grab(dice).toImage();
    bool kept = false;
    ui::FirstFrame::after(&f.view, [&kept] {
        QTimer::singleShot(0, [&kept] { kept = true; }); // after the board's own turn
    });
    QTRY_VERIFY(kept);
    const QImage fromKept = f.view.grab(dice).toImage();
    QCOMPARE(fromKept.size(), drawnAlone.size());
    for (int y = 0; y < fromKept.height(); ++y)
        for (int x = 0; x < fromKept.width(); ++x) {
            const QRgb a = fromKept.pixel(x, y), b = drawnAlone.pixel(x, y);
            const int apart =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))});
            QVERIFY2(apart <= 1, qPrintable(QString("at %1,%2").arg(x).arg(y)));
        }
}

void BoardViewTest::longNamesUseTheRoomThereIs() {
    const QString twelve = "Annabelle Ng", twenty = "Maximilian Rosenberg",
                  forty = "Christopherson-Wainwright Alexandrina Q.";
    for (const QSize size :
         {QSize(ui::BoardView::kDesignWidth, ui::BoardView::kDesignHeight), QSize(720, 890)}) {
        Fixture f;
        f.view.resize(size);
        f.msg(QString("CMD_existingplayers+3+%1+1+4+%2+0+5+%3+0")
                  .arg(twelve, twenty, forty)
                  .toStdString());
        auto* seat3 = f.get<ui::RotatedLabel>("label_playername3");
        auto* seat4 = f.get<ui::RotatedLabel>("label_playername4");
        auto* seat5 = f.get<ui::RotatedLabel>("label_playername5");
        // Whole, on one line or broken at a blank, beside a mark too.
        for (auto* label : {seat3, seat4}) {
            const auto fit = label->fit();
            QVERIFY2(!fit.elided && fit.lines.join(' ') == label->text(),
                     qPrintable(label->text()));
            QVERIFY(label->toolTip().isEmpty());
        }
        // Too long for any of that: cut with "…", the whole name in the tooltip.
        QVERIFY(seat5->fit().elided && seat5->fit().lines.last().endsWith(QChar(0x2026)));
        QCOMPARE(seat5->toolTip(), forty);

        // The status line cuts the name, never "'s turn".
        f.msg("CMD_nextplayer+5+1+1");
        auto* status = f.get<QLabel>("label_status");
        QVERIFY2(status->text().endsWith(QChar(0x2026) + QString("'s turn")),
                 qPrintable(status->text()));
        QVERIFY(status->text().startsWith("Christopherson"));
        QCOMPARE(status->toolTip(), forty + "'s turn");
        f.msg("CMD_nextplayer+3+1+1");
        QCOMPARE(status->text(), twelve + "'s turn");
        QVERIFY(status->toolTip().isEmpty());
    }
}

QTEST_MAIN(BoardViewTest)
#include "boardview_test.moc"
