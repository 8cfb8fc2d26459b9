// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/linkopener.h"
#include "windows/sitelinks.h"
#include "windows/tabout.h"
#include "windows/tdownload.h"
#include "windows/thelp.h"
#include "windows/tsolo.h"
#include "windows/tspylist.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
void grab(QWidget* w, const QString& name) {
    const QByteArray dir = qgetenv("BRAMBLIES_GRAB_DIR");
    if (!dir.isEmpty()) w->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
}
QString labelText(QWidget* w, const char* name) {
    auto* l = w->findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<missing>");
}
} // namespace

class AuxWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void helpPages();
    void aboutAndSolo();
    void spyList();
    void lobbyWindowTexts();

private:
    QStringList m_opened;
};

void AuxWindowsTest::initTestCase() {
    ui::LinkOpener::setHandler([this](const QString& address) {
        m_opened << address;
        return true;
    });
}

void AuxWindowsTest::helpPages() {
    ui::Thelp help;
    QCOMPARE(help.windowTitle(), QStringLiteral("Bramblies - Help File"));
    QCOMPARE(help.size(), QSize(521, 422));
    QCOMPARE(help.currentPage(), 1);
    QCOMPARE(help.title(), QStringLiteral("Overview"));
    QVERIFY(help.findChild<QLabel*>("label_credits")
                ->text()
                .endsWith(QString::number(QDate::currentDate().year())));

    // A page joins the stored lines of each paragraph, so the memo wraps them once; empty
    // lines, list entries and lines without a trailing blank keep their breaks.
    for (int page = 1; page <= ui::Thelp::kPages; ++page) {
        auto* text = help.findChild<QPlainTextEdit*>(QStringLiteral("page_%1").arg(page));
        QCOMPARE(text->toPlainText(), ui::Thelp::pageText(page));
    }
    QCOMPARE(ui::Thelp::pageText(1).split('\n'),
             QStringList({"Overview", "",
                          "I found the instructions for Brambles on the internet. I thought it "
                          "would be an interesting addition to The Lobby.  While programming, I "
                          "decided to add a few twists to the game. I hope you enjoy it!",
                          "",
                          "I removed Brambles from The Lobby in 2009 and added it to my solo "
                          "games library. A player asked for it back in The Lobby so I added it "
                          "back with the new name Bramblies. "}));
    const QStringList connecting = ui::Thelp::pageText(2).split('\n');
    QCOMPARE(connecting.value(3), QStringLiteral("Multi-Player Games: You must connect to the "
                                                 "Quar77 Gaming Lobby in order to play "
                                                 "multi-player games.  The Quar77 Lobby can be "
                                                 "downloaded from ") +
                                      ui::siteLinks().makerAddress);
    QCOMPARE(connecting.value(6), QStringLiteral("OR"));
    QCOMPARE(ui::Thelp::pageText(6), ui::Thelp::pageLines(6).join('\n'));
    QCOMPARE(ui::Thelp::pageLines(1).last(), QStringLiteral("new name Bramblies. "));
    // Lines whose blanks and spellings are easy to "correct" by mistake.
    const struct {
        int page, line;
        const char* text;
    } stored[] = {
        {1, 3, "interesting addition to The Lobby.  While programming, I decided to add a few "},
        {2, 3, "games can be played while offline.  Since the game is designed to be playing "},
        {2, 7, "to play multi-player games.  The Quar77 Lobby can be downloaded from "},
        {2, 19, "Note: If at any time the host (ussually the first player in the list) is "},
        {3, 5, "Seven rounds are played to complete a game of Brambles. "},
        {3, 9, "category on their first roll, they will automatically roll all five dice again. "},
        {3, 16,
         "Clicking on the dice will select that dice and you will not roll it the next roll. "},
        {3, 21, "shot for unless you roll a bramble on the first roll for your turn. You "},
        {3, 29, "number then the bonus mode ends. "},
        {4, 5, "A Bramble is a straight. It is scored by adding up all the numbers on the dice. "},
        {6, 4, "  -Added Smiles"},
        {6, 21, "2006 - First alpha release Version 1."},
    };
    for (const auto& s : stored)
        QCOMPARE(ui::Thelp::pageLines(s.page).value(s.line), QString::fromLatin1(s.text));
    QCOMPARE(ui::Thelp::pageLines(6).size(), 22);
    QCOMPARE(ui::Thelp::pageLines(3).size(), 33);
    QVERIFY(
        ui::Thelp::pageLines(2).contains(ui::siteLinks().networkAddress + " to find out how to "));

    const char* captions[] = {"Overview",  "Connecting",    "Game Play", "Scoring",
                              "Fair Dice", "Documentation", "License"};
    for (int page = 1; page <= 7; ++page) {
        auto* button = help.findChild<QPushButton*>(QStringLiteral("SelButton%1").arg(page));
        QCOMPARE(button->text(), QString::fromLatin1(captions[page - 1]));
        QCOMPARE(button->size(), QSize(117, 20));
    }
    help.show();
    help.findChild<QPushButton*>("SelButton6")->click();
    QCOMPARE(help.currentPage(), 6);
    QCOMPARE(help.title(), QStringLiteral("Documentation"));
    QCOMPARE(ui::Thelp::pageLines(6).first(), QStringLiteral("History"));
    grab(&help, "help.png");

    // Done hides it, and so does Escape on the page; the next showing keeps the page.
    help.findChild<QPushButton*>("button_done")->click();
    QVERIFY(help.isHidden());
    help.show();
    QTest::keyClick(help.findChild<QPlainTextEdit*>("page_6"), Qt::Key_Escape);
    QVERIFY(help.isHidden());
    help.show();
    QCOMPARE(help.title(), QStringLiteral("Documentation"));

    QSignalSpy about(&help, &ui::Thelp::aboutRequested);
    help.findChild<QPushButton*>("button_about")->click();
    QCOMPARE(about.count(), 1);
}

void AuxWindowsTest::aboutAndSolo() {
    ui::Tabout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Bramblies - About"));
    QCOMPARE(about.size(), QSize(304, 174));
    QCOMPARE(labelText(&about, "label_versionword"), QStringLiteral("Version"));
    QCOMPARE(labelText(&about, "label_version"), QStringLiteral("1.0.2"));
    QCOMPARE(labelText(&about, "label_build"), QStringLiteral(".7"));
    QCOMPARE(ui::Tabout::versionText(), QStringLiteral("1.0.2"));
    about.show();
    grab(&about, "about.png");
    m_opened.clear();
    QTest::mouseClick(about.findChild<QLabel*>("Label7"), Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{ui::siteLinks().makerAddress});
    about.findChild<QPushButton*>("Button1")->click();
    QVERIFY(about.isHidden());

    ui::Tsolo solo;
    QCOMPARE(solo.windowTitle(), QStringLiteral("Bramblies - Solo"));
    QCOMPARE(solo.size(), QSize(569, 407));
    QCOMPARE(labelText(&solo, "Label6"),
             QStringLiteral("Click HERE to learn how to Play Brambles Solo!"));
    solo.show();
    grab(&solo, "solo.png");
    m_opened.clear();
    QTest::mouseClick(solo.findChild<QLabel*>("Label6"), Qt::LeftButton);
    QTest::mouseClick(solo.findChild<QLabel*>("image_solo"), Qt::LeftButton);
    const QString page = "http://" + ui::siteLinks().soloAddress;
    QCOMPARE(m_opened, (QStringList{page, page}));
}

void AuxWindowsTest::spyList() {
    ui::Tspylist spys;
    QCOMPARE(spys.windowTitle(), QStringLiteral("Bramblies - Spys"));
    QCOMPARE(spys.size(), QSize(162, 168));
    QCOMPARE(spys.addSpy(8, "Guest", 1), QStringLiteral("Guest is spying."));
    QCOMPARE(spys.addSpy(7, "Me", 7), QStringLiteral("You are spying."));
    spys.addSpy(9, "Zed", 1);
    QCOMPARE(spys.entries(), (QStringList{"8: Guest", "7: Me", "9: Zed"}));
    QVERIFY(!spys.removeSpy(8, "guest"));
    QVERIFY(spys.removeSpy(7, "Me")); // also while the window is hidden
    QCOMPARE(ui::Tspylist::leftLine("Me"), QStringLiteral("Me has left."));
    spys.show();
    grab(&spys, "spylist.png");

    auto* list = spys.findChild<QListWidget*>("listbox_spys");
    auto* kick = spys.findChild<QAction*>("popup_kickhim");
    QCOMPARE(kick->text(), QStringLiteral("Remove From Game"));
    QVERIFY(!kick->isEnabled()); // a copy that joined cannot remove anybody
    QSignalSpy kicked(&spys, &ui::Tspylist::kickRequested);
    spys.popup_kickhimClick();
    QCOMPARE(kicked.count(), 0);

    spys.setRemoveEnabled(true);
    // The pointed entry, not the selected one, is removed.
    list->setCurrentRow(0);
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QMouseEvent move(QEvent::MouseMove, second, list->viewport()->mapToGlobal(second), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
    QCOMPARE(spys.pointedEntry(), 1);
    kick->trigger();
    QCOMPARE(kicked.count(), 1);
    QCOMPARE(kicked.first().first().toInt(), 9);

    // Over no entry: nothing happens.
    const QPoint empty(10, list->viewport()->height() - 5);
    QMouseEvent away(QEvent::MouseMove, empty, list->viewport()->mapToGlobal(empty), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &away);
    QCOMPARE(spys.pointedEntry(), -1);
    kick->trigger();
    QCOMPARE(kicked.count(), 1);

    spys.findChild<QPushButton*>("button_done")->click();
    QVERIFY(spys.isHidden());
    QCOMPARE(spys.entries().size(), 2);
}

void AuxWindowsTest::lobbyWindowTexts() {
    ui::Tdownload w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Download The Quar77 Lobby"));
    QCOMPARE(w.size(), QSize(724, 500));
    auto caption = [&](const char* name) { return w.findChild<QPushButton*>(name)->text(); };
    QCOMPARE(caption("getbutton"), QStringLiteral("Download And Install The Quar77 Lobby Now"));
    QCOMPARE(caption("abortbutton"), QStringLiteral("Stop Download"));
    QCOMPARE(caption("Button1"), QStringLiteral("Play Solo Game"));
    QCOMPARE(caption("Button2"), QStringLiteral("Play with Others"));
    QVERIFY(w.findChild<QPushButton*>("Button1")->isDefault());
    QVERIFY(w.findChild<QPushButton*>("abortbutton")->isEnabled());
    QCOMPARE(w.statusLine1(), QString());
    QCOMPARE(w.statusLine2(), QString());
    QCOMPARE(labelText(&w, "label_pitch"),
             QStringLiteral("Download The Quar77 Lobby Now to play this  and other exciting games "
                            "online with other players! "));
    w.show();
    grab(&w, "download.png");
    w.findChild<QPushButton*>("Button1")->click();
    QVERIFY(w.isHidden());
}

QTEST_MAIN(AuxWindowsTest)
#include "auxwindows_test.moc"
