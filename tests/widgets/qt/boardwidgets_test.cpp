// SPDX-License-Identifier: GPL-3.0-or-later
// The painted pieces of the board: what they record and what they put on screen.
#include "widgets/categorybar.h"
#include "widgets/categorybutton.h"
#include "widgets/columnhighlight.h"
#include "widgets/dieview.h"
#include "widgets/linkopener.h"
#include "widgets/markview.h"
#include "widgets/picturebutton.h"
#include "widgets/rollsindicator.h"
#include "widgets/rotatedlabel.h"
#include "widgets/tickbox.h"
#include "widgets/tiledbackground.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace ui;

namespace {

// Render a widget alone onto a transparent image, without any window background.
QImage renderAlone(QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img.convertToFormat(QImage::Format_ARGB32);
}

bool isBlank(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 0) return false;
    return true;
}

bool isWhitish(QRgb c) {
    return qAlpha(c) > 200 && qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200;
}
bool isReddish(QRgb c) {
    return qAlpha(c) > 200 && qRed(c) > 100 && qRed(c) - qGreen(c) > 80 && qRed(c) - qBlue(c) > 80;
}

// Saves pictures for a person to look at when BRAMBLIES_GRAB_DIR names a folder.
void keepPicture(const QImage& img, const QString& name) {
    const QString dir = qEnvironmentVariable("BRAMBLIES_GRAB_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    img.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The expected pip grid (3 x 3, row-major from the top) for each face.
const char* const kPips[7] = {"000000000", "000010000", "100000001", "100010001",
                              "101000101", "101010101", "101101101"};

} // namespace

class BoardWidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void dieRecordsWhatItShows_data();
    void dieRecordsWhatItShows();
    void dieDrawsThePipsOfItsFace_data();
    void dieDrawsThePipsOfItsFace();
    void dieBodiesDifferOnlyInTheRim();
    void dieClearedShowsNothingAndKeepsItsFace();
    void dieFramesFollowThePictureList();
    void dieReportsTheReleasedButton();
    void dieRestsAndRisesKeepingItsLeftEdge();
    void rollsIndicatorCrossesRollsUsed_data();
    void rollsIndicatorCrossesRollsUsed();
    void rotatedLabelReadsUpwards();
    void tickBoxDoesNotTickItself();
    void categoryPiecesCarryTheirNumber();
    void marksLetClicksThrough();
    void linkOpenerUsesTheReplaceableHandler();
    void backgroundTilesSeamlessly();
    void picturesForALook();
};

void BoardWidgetsTest::dieRecordsWhatItShows_data() {
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("body");
    QTest::addColumn<int>("expectedFace");
    for (int body : {7, 8})
        for (int face = 0; face <= 6; ++face)
            QTest::addRow("face %d body %d", face, body) << face << body << face;
    QTest::newRow("face 7 counts as blank") << 7 << 7 << 0;
    QTest::newRow("face -1 counts as blank") << -1 << 8 << 0;
}

void BoardWidgetsTest::dieRecordsWhatItShows() {
    QFETCH(int, face);
    QFETCH(int, body);
    QFETCH(int, expectedFace);
    DieView die;
    QVERIFY(die.isCleared());
    QCOMPARE(die.size(), QSize(48, 48));
    die.draw(face, static_cast<DieView::Body>(body));
    QVERIFY(!die.isCleared());
    QCOMPARE(die.face(), expectedFace);
    QCOMPARE(static_cast<int>(die.body()), body);
}

void BoardWidgetsTest::dieDrawsThePipsOfItsFace_data() {
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("side");
    for (int side : {48, 96})
        for (int face = 0; face <= 6; ++face)
            QTest::addRow("face %d at %d", face, side) << face << side;
}

void BoardWidgetsTest::dieDrawsThePipsOfItsFace() {
    QFETCH(int, face);
    QFETCH(int, side);
    DieView die;
    die.resize(side, side);
    die.draw(face, DieView::Body::Plain);
    const QImage img = renderAlone(die);
    // Pip centres sit a quarter of the body apart around the body's centre.
    const QRectF body =
        QRectF(0, 0, side, side).adjusted(0.05 * side, 0.04 * side, -0.09 * side, -0.10 * side);
    const qreal step = 0.25 * body.width();
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QPoint at =
                (body.center() + QPointF((col - 1) * step, (row - 1) * step)).toPoint();
            const QRgb c = img.pixel(at);
            const bool pip = kPips[face][row * 3 + col] == '1';
            QVERIFY2(
                pip ? isWhitish(c) : isReddish(c),
                qPrintable(QStringLiteral("cell %1,%2 colour %3").arg(row).arg(col).arg(c, 8, 16)));
        }
    }
}

void BoardWidgetsTest::dieBodiesDifferOnlyInTheRim() {
    DieView plain, bonus;
    plain.draw(3, DieView::Body::Plain);
    bonus.draw(3, DieView::Body::Bonus);
    const QImage a = renderAlone(plain);
    const QImage b = renderAlone(bonus);
    // Inside the rim both are red; on the rim only the bonus body is light.
    const QPoint middleLeft(4, 24);
    QVERIFY(isReddish(a.pixel(middleLeft)));
    const QRgb rim = b.pixel(middleLeft);
    QVERIFY2(qRed(rim) > 200 && qGreen(rim) > 160, qPrintable(QString::number(rim, 16)));
    QCOMPARE(a.pixel(24, 24), b.pixel(24, 24));
}

void BoardWidgetsTest::dieClearedShowsNothingAndKeepsItsFace() {
    DieView die;
    die.draw(5, DieView::Body::Bonus);
    die.clear();
    QVERIFY(die.isCleared());
    QVERIFY(isBlank(renderAlone(die)));
    QCOMPARE(die.face(), 5);
    die.setFace(2); // the animation's way: a new face on the same body brings the picture back
    QVERIFY(!die.isCleared());
    QCOMPARE(die.body(), DieView::Body::Bonus);
    QVERIFY(!isBlank(renderAlone(die)));
}

void BoardWidgetsTest::dieFramesFollowThePictureList() {
    QVERIFY(isBlank(DieView::frame(0).toImage()));
    QVERIFY(isBlank(DieView::frame(9).toImage()));
    const QImage one = DieView::frame(1).toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(isWhitish(one.pixel(22, 21)));  // the pip
    QCOMPARE(qAlpha(one.pixel(10, 10)), 0); // transparent ground
    const QImage body = DieView::frame(7).toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(isReddish(body.pixel(22, 21)));
    QCOMPARE(DieView::frame(8, 96).size(), QSize(96, 96));
}

void BoardWidgetsTest::dieReportsTheReleasedButton() {
    DieView die;
    die.setObjectName(QStringLiteral("image_d3"));
    QSignalSpy spy(&die, &DieView::mouseReleased);
    QTest::mouseClick(&die, Qt::RightButton);
    QTest::mouseClick(&die, Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(spy.at(1).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
}

void BoardWidgetsTest::dieRestsAndRisesKeepingItsLeftEdge() {
    QWidget board;
    DieView die(&board);
    die.move(260, 40);
    die.setRaised(false);
    QCOMPARE(die.pos(), QPoint(260, 119));
    QVERIFY(!die.isRaised());
    die.setRaised(true);
    QCOMPARE(die.pos(), QPoint(260, 110));
    QVERIFY(die.isRaised());
    die.clear(); // clearing the picture does not move the die
    QCOMPARE(die.pos(), QPoint(260, 110));
    die.setTops(238, 220); // a board drawn at twice the size
    QCOMPARE(die.pos(), QPoint(260, 220));
    die.setRaised(false);
    QCOMPARE(die.pos(), QPoint(260, 238));
}

void BoardWidgetsTest::rollsIndicatorCrossesRollsUsed_data() {
    QTest::addColumn<int>("rolls");
    QTest::addColumn<int>("frame");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("two") << 2 << 2;
    QTest::newRow("three") << 3 << 3;
    QTest::newRow("four shows nothing") << 4 << -1;
    QTest::newRow("nine shows nothing") << 9 << -1;
    QTest::newRow("negative shows nothing") << -1 << -1;
}

void BoardWidgetsTest::rollsIndicatorCrossesRollsUsed() {
    QFETCH(int, rolls);
    QFETCH(int, frame);
    RollsIndicator ind;
    QCOMPARE(ind.size(), QSize(66, 22));
    ind.setRolls(rolls);
    QCOMPARE(ind.rolls(), rolls);
    QCOMPARE(ind.shownFrame(), frame);
    const QImage img = renderAlone(ind);
    if (frame < 0) {
        QVERIFY(isBlank(img));
        return;
    }
    // Box centres: red where crossed out, paper where not.
    for (int box = 0; box < 3; ++box) {
        const QRgb c = img.pixel(12 + box * 21, 11);
        QVERIFY2(box < frame ? isReddish(c) : isWhitish(c),
                 qPrintable(QStringLiteral("box %1").arg(box)));
    }
}

void BoardWidgetsTest::rotatedLabelReadsUpwards() {
    RotatedLabel label(QStringLiteral("Vosk"));
    QFont f = label.font();
    f.setPixelSize(14);
    label.setFont(f);
    QVERIFY(label.sizeHint().height() > label.sizeHint().width());
    label.resize(20, 120);
    const QImage img = renderAlone(label);
    // Written from the bottom up: the ink starts at the bottom and leaves the top free.
    int top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 100) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    QVERIFY(bottom > 100);
    QVERIFY(top > 40);
    label.setText(QStringLiteral("<Waiting>"));
    QCOMPARE(label.text(), QStringLiteral("<Waiting>"));
    QSignalSpy spy(&label, &RotatedLabel::mouseReleased);
    QTest::mouseClick(&label, Qt::RightButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
}

void BoardWidgetsTest::tickBoxDoesNotTickItself() {
    TickBox box;
    QCOMPARE(box.size(), QSize(28, 22));
    QSignalSpy spy(&box, &TickBox::clicked);
    QTest::mouseClick(&box, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!box.isTicked());
    const QImage empty = renderAlone(box);
    box.setTicked(true);
    QVERIFY(box.isTicked());
    QVERIFY(renderAlone(box) != empty);
}

void BoardWidgetsTest::categoryPiecesCarryTheirNumber() {
    CategoryButton button(7);
    CategoryBar bar(4);
    QCOMPARE(button.category(), 7);
    QCOMPARE(bar.category(), 4);
    bar.move(45, 30);
    bar.setBarWidth(175);
    QCOMPARE(bar.geometry(), QRect(45, 30, 175, CategoryBar::kHeight));
    QSignalSpy clicks(&button, &CategoryButton::clicked);
    button.setSelectable(true);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
    button.setSelectable(false);
    QCOMPARE(button.cursor().shape(), Qt::ArrowCursor);
}

void BoardWidgetsTest::marksLetClicksThrough() {
    for (auto kind : {MarkView::Kind::Eyes, MarkView::Kind::NotPlaying, MarkView::Kind::Winner,
                      MarkView::Kind::Bonus, MarkView::Kind::Category}) {
        MarkView mark(kind);
        QVERIFY(mark.testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(!isBlank(renderAlone(mark)));
    }
    ColumnHighlight highlight;
    QVERIFY(highlight.testAttribute(Qt::WA_TransparentForMouseEvents));
}

void BoardWidgetsTest::linkOpenerUsesTheReplaceableHandler() {
    QStringList opened;
    {
        LinkOpener::ScopedHandler seam([&](const QString& a) {
            opened << a;
            return a != QStringLiteral("refuse");
        });
        QVERIFY(LinkOpener::open(QStringLiteral("www.example.com/page")));
        QVERIFY(!LinkOpener::open(QStringLiteral("refuse")));
        QVERIFY(!LinkOpener::open(QStringLiteral("  "))); // never reaches the handler
    }
    QCOMPARE(opened,
             QStringList({QStringLiteral("www.example.com/page"), QStringLiteral("refuse")}));
    // The default route reads scheme-less addresses as a user would type them.
    QVERIFY(!LinkOpener::openWithDesktop(QString()));
}

void BoardWidgetsTest::backgroundTilesSeamlessly() {
    const QImage tile = TiledBackground::tile().toImage();
    const int s = tile.width();
    QCOMPARE(s, TiledBackground::kTileSize);
    // Opposite edges must match so repeated tiles show no seams.
    int mismatches = 0;
    for (int i = 0; i < s; ++i) {
        const QColor l = tile.pixelColor(0, i), r = tile.pixelColor(s - 1, i);
        const QColor t = tile.pixelColor(i, 0), b = tile.pixelColor(i, s - 1);
        if (std::abs(l.red() - r.red()) + std::abs(l.blue() - r.blue()) > 24) ++mismatches;
        if (std::abs(t.red() - b.red()) + std::abs(t.blue() - b.blue()) > 24) ++mismatches;
    }
    QCOMPARE(mismatches, 0);
    // A widget shows the tile repeated from its corner, painted in bands with no seam.
    QWidget w;
    TiledBackground::apply(&w);
    QCOMPARE(w.palette().brush(QPalette::Window).texture().cacheKey(),
             TiledBackground::tile().cacheKey());
    w.resize(2 * s + 5, 3 * s + 7);
    const QImage shown = w.grab().toImage().convertToFormat(tile.format());
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != tile.pixel(x % s, y % s))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
}

// Not a check: a sheet of every piece, saved for a person to look at.
void BoardWidgetsTest::picturesForALook() {
    if (qEnvironmentVariableIsEmpty("BRAMBLIES_GRAB_DIR"))
        QSKIP("set BRAMBLIES_GRAB_DIR to save pictures");
    QWidget sheet;
    TiledBackground::apply(&sheet);
    sheet.resize(640, 420);
    int x = 10;
    for (int face = 0; face <= 6; ++face) {
        auto* d = new DieView(&sheet);
        d->move(x, 10);
        d->draw(face, DieView::Body::Plain);
        auto* b = new DieView(&sheet);
        b->move(x, 64);
        b->draw(face, DieView::Body::Bonus);
        auto* badge = new MarkView(MarkView::Kind::Bonus, &sheet);
        badge->move(x + 1, 116);
        x += 56;
    }
    auto* big = new DieView(&sheet);
    big->setGeometry(410, 10, 96, 96);
    big->draw(5, DieView::Body::Plain);
    auto* bigBonus = new DieView(&sheet);
    bigBonus->setGeometry(515, 10, 96, 96);
    bigBonus->draw(6, DieView::Body::Bonus);
    for (int k = 0; k <= 3; ++k) {
        auto* r = new RollsIndicator(&sheet);
        r->move(10 + k * 74, 140);
        r->setRolls(k);
    }
    for (int c = 1; c <= 7; ++c) {
        auto* b = new CategoryButton(c, &sheet);
        b->move(10, 170 + (c - 1) * 22);
        b->setSelectable(true);
        auto* bar = new CategoryBar(c, &sheet);
        bar->move(52, 170 + (c - 1) * 22);
        bar->setBarWidth(40 + c * 12);
    }
    auto* hl = new ColumnHighlight(&sheet);
    hl->setGeometry(200, 165, 42, 160);
    auto* arrow = new MarkView(MarkView::Kind::Category, &sheet);
    arrow->move(180, 195);
    int mx = 260;
    for (auto kind : {MarkView::Kind::Eyes, MarkView::Kind::NotPlaying, MarkView::Kind::Winner}) {
        auto* m = new MarkView(kind, &sheet);
        m->move(mx, 175);
        auto* m2 = new MarkView(kind, &sheet);
        const QSize s = MarkView::designSize(kind) * 2;
        m2->setGeometry(mx, 210, s.width(), s.height());
        mx += 80;
    }
    for (int t = 0; t < 2; ++t) {
        auto* tick = new TickBox(&sheet);
        tick->move(500 + t * 34, 175);
        tick->setTicked(t == 1);
    }
    auto* label = new RotatedLabel(QStringLiteral("<Waiting>"), &sheet);
    label->setGeometry(600, 170, 20, 100);
    auto* label2 = new RotatedLabel(QStringLiteral("Vosk"), &sheet);
    label2->setGeometry(620, 170, 20, 100);
    auto* start = new PictureButton(QStringLiteral("Start"), &sheet);
    start->setGeometry(260, 300, 156, 36);
    auto* gold = new PictureButton(QStringLiteral("Roll"), &sheet);
    gold->setTone(PictureButton::Tone::Gold);
    gold->setGeometry(430, 300, 120, 36);
    auto* off = new PictureButton(QStringLiteral("Off"), &sheet);
    off->setEnabled(false);
    off->setGeometry(260, 350, 100, 30);
    auto* bigBadge = new MarkView(MarkView::Kind::Bonus, &sheet);
    bigBadge->setGeometry(400, 350, 180, 56);
    keepPicture(sheet.grab().toImage(), QStringLiteral("board_pieces"));
    QImage zoom = sheet.grab().toImage().scaled(sheet.size() * 2, Qt::IgnoreAspectRatio,
                                                Qt::FastTransformation);
    keepPicture(zoom.copy(0, 0, 900, 500), QStringLiteral("board_pieces_zoom"));
    keepPicture(zoom.copy(0, 300, 1280, 540), QStringLiteral("board_pieces_zoom2"));
}

QTEST_MAIN(BoardWidgetsTest)
#include "boardwidgets_test.moc"
