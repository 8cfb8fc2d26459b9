// SPDX-License-Identifier: GPL-3.0-or-later
#include "chat/chatmodel.h"
#include "chat/colourtext.h"
#include "chat/qt/chatpanel.h"
#include "chat/qt/chatview.h"
#include "widgets/smileys.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace ui;

namespace {

// A panel as the table window uses it: logged in on slot 3, with the outside world faked.
struct Fixture {
    ChatPanel panel;
    qint64 now = 100000;
    QStringList opened;
    QStringList boxes;
    bool openerWorks = true;
    QSignalSpy sent{&panel, &ChatPanel::sendRequested};

    Fixture() {
        panel.resize(360, 260);
        panel.setClock([this] { return now; });
        panel.setLinkOpener([this](const QString& a) {
            opened << a;
            return openerWorks;
        });
        panel.setMessageBox([this](const QString& t) { boxes << t; });
        panel.setSession(true, 3);
    }
    QLineEdit* entry() { return panel.findChild<QLineEdit*>("mychat"); }
    ChatView* view() { return panel.findChild<ChatView*>("mainchat"); }
    QToolButton* button(const QString& name) { return panel.findChild<QToolButton*>(name); }
    QStringList takeSent() {
        QStringList out;
        for (const auto& args : sent)
            out << args.at(0).toString();
        sent.clear();
        return out;
    }
    void type(const QString& text) {
        QTest::keyClicks(entry(), text);
        QTest::keyClick(entry(), Qt::Key_Return);
    }
};

QAction* actionNamed(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

} // namespace

class ChatPanelTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAndPlaceholder();
    void senditForms();
    void phraseButtonsAndLock();
    void tenthButtonOpensChatterMenu();
    void smileyInsertion();
    void copyPutsCarriageReturnBeforeParagraphs();
    void clearRestartsLinkNumbering();
    void failedLinkShowsMessage();
    void laterLineRecoloursSender();
    void scrollChatOffAndPaste();
    void textSizeAndColour();
    void grabForLooking();
};

void ChatPanelTest::controlsAndPlaceholder() {
    Fixture f;
    QVERIFY(f.view());
    QCOMPARE(f.entry()->text(), QString("<Enter Chat Here>"));
    for (int n = 1; n <= 10; ++n)
        QVERIFY(f.button(QString("b_phrase%1").arg(n)));
    QVERIFY(f.button("button_smilies"));
    auto* popup = f.panel.findChild<QMenu*>("popup_mainchat");
    QVERIFY(popup);
    QStringList captions;
    for (QAction* a : popup->actions())
        captions << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(captions,
             QStringList({"Select All", "Copy", "Clear Main Chat", "-", "Scroll Chat Off"}));
    QCOMPARE(actionNamed(popup, "Copy")->shortcut(), QKeySequence("Ctrl+C"));
    QCOMPARE(actionNamed(popup, "Scroll Chat Off"), f.panel.scrollChatOffAction());
    QCOMPARE(f.panel.scrollChatOffAction()->shortcut(), QKeySequence("Ctrl+S"));
    QCOMPARE(actionNamed(popup, "Clear Main Chat"), f.panel.clearMainChatAction());
    auto* popupEntry = f.panel.findChild<QMenu*>("popup_mychat");
    QVERIFY(popupEntry);
    QCOMPARE(actionNamed(popupEntry, "Paste")->shortcut(), QKeySequence("Ctrl+V"));

    // Enter on the placeholder sends nothing; the first key replaces it.
    QTest::keyClick(f.entry(), Qt::Key_Return);
    QVERIFY(f.takeSent().isEmpty());
    QCOMPARE(f.entry()->text(), QString());
    f.entry()->setText(ChatPanel::kPlaceholder);
    QTest::keyClicks(f.entry(), "hi");
    QCOMPARE(f.entry()->text(), QString("hi"));
}

void ChatPanelTest::senditForms() {
    Fixture f;
    f.panel.setTextColour(core::kClGreen);
    f.entry()->clear();
    f.type("hello there");
    f.type("/me waves");
    f.type("/me");
    f.type("/away now");
    QCOMPARE(f.takeSent(), QStringList({"CMD_chat+3+hello there|clGreen",
                                        "CMD_action+3+waves|clGreen", "CMD_action+3+|clGreen"}));
    QCOMPARE(f.entry()->text(), QString());

    f.panel.setSession(false, 0);
    f.type("early");
    QVERIFY(f.takeSent().isEmpty());
    QCOMPARE(f.entry()->text(), QString("early"));
}

void ChatPanelTest::phraseButtonsAndLock() {
    Fixture f;
    f.entry()->clear();
    QCOMPARE(f.panel.phrase(1), QString("Way To Go!"));
    QCOMPARE(f.panel.phrase(10), QString("/me waves \"Good-Bye\""));
    f.panel.setPhrase(5, "/me dances");

    QTest::mouseClick(f.button("b_phrase1"), Qt::LeftButton);
    f.now += 1999;
    QTest::mouseClick(f.button("b_phrase2"), Qt::LeftButton); // still locked
    f.type("typed chat is not held back");
    f.now += 1;
    QTest::mouseClick(f.button("b_phrase5"), Qt::LeftButton);
    QCOMPARE(f.takeSent(), QStringList({"CMD_action+3+says: Way To Go!|clBlack",
                                        "CMD_chat+3+typed chat is not held back|clBlack",
                                        "CMD_action+3+dances|clBlack"}));

    // Not yet logged in: no phrase goes out and the lock is not taken.
    f.now += 5000;
    f.panel.setSession(false, 0);
    QTest::mouseClick(f.button("b_phrase1"), Qt::LeftButton);
    f.panel.setSession(true, 3);
    QTest::mouseClick(f.button("b_phrase7"), Qt::LeftButton);
    QCOMPARE(f.takeSent(), QStringList({"CMD_action+3+says: Thanks!|clBlack"}));
}

void ChatPanelTest::tenthButtonOpensChatterMenu() {
    Fixture f;
    f.panel.show();
    QSignalSpy menu(&f.panel, &ChatPanel::chatterMenuRequested);
    QToolButton* tenth = f.button("b_phrase10");
    QTest::mouseClick(tenth, Qt::LeftButton);
    QTest::mouseClick(tenth, Qt::RightButton);
    QTest::mouseClick(tenth, Qt::MiddleButton);
    QCOMPARE(menu.count(), 3);
    QCOMPARE(menu.at(0).at(0).toPoint(), tenth->mapToGlobal(tenth->rect().bottomRight()));
    QVERIFY(f.takeSent().isEmpty());
}

void ChatPanelTest::smileyInsertion() {
    Fixture f;
    auto* menu = f.panel.findChild<QMenu*>("popup_smilies");
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 18);
    QCOMPARE(menu->actions().first()->text(), QString(":)#10"));
    QCOMPARE(menu->actions().last()->text(), QString(":)#27"));

    menu->actions().at(5)->trigger();
    QCOMPARE(f.entry()->text(), QString(":)#15"));
    f.entry()->setText("hi ");
    f.entry()->setSelection(0, 2);
    menu->actions().at(17)->trigger();
    QCOMPARE(f.entry()->text(), QString("hi :)#27"));
    QCOMPARE(f.entry()->cursorPosition(), 8);
    QVERIFY(!f.entry()->hasSelectedText());
}

void ChatPanelTest::copyPutsCarriageReturnBeforeParagraphs() {
    Fixture f;
    f.panel.addlinetochat("0+You are Connected.", core::kClBlue);
    f.panel.chatrecieved("3+Bob chats: see :)#12 www.x.com now|clGreen");
    QGuiApplication::clipboard()->setText("before");
    f.view()->copy(); // nothing selected: clipboard untouched
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
    actionNamed(f.panel.findChild<QMenu*>("popup_mainchat"), "Select All")->trigger();
    actionNamed(f.panel.findChild<QMenu*>("popup_mainchat"), "Copy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QString("\r You are Connected. \rBob chats:  see   www.x.com now "));
}

void ChatPanelTest::clearRestartsLinkNumbering() {
    Fixture f;
    f.panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.panel));
    f.panel.chatrecieved("1+Al chats: www.old.com|clBlack");
    f.panel.clearMainChatAction()->trigger();
    QVERIFY(f.view()->model().lines().empty());
    f.panel.chatrecieved("4+Di chats: go to http://new.org/x now|clBlack");
    // Item 4: head, lone space, "go ", "to ", then the link.
    const QRect link = f.view()->itemRect(0, 4);
    QVERIFY(link.isValid());
    QTest::mouseClick(f.view()->viewport(), Qt::LeftButton, {}, link.center());
    QCOMPARE(f.opened, QStringList({"http://new.org/x"}));
    // Ordinary words of any sender are not clickable.
    QTest::mouseClick(f.view()->viewport(), Qt::LeftButton, {}, f.view()->itemRect(0, 2).center());
    QCOMPARE(f.opened.size(), 1);
    QVERIFY(!f.view()->linkAt(f.view()->itemRect(0, 0).center()));
    QVERIFY(f.boxes.isEmpty());
}

void ChatPanelTest::failedLinkShowsMessage() {
    Fixture f;
    f.panel.chatrecieved("2+Al chats: www.a.com|clBlack");
    f.openerWorks = false;
    f.panel.mainchatJump(0);
    f.openerWorks = true;
    f.panel.mainchatJump(7); // no such link stored
    QCOMPARE(f.opened, QStringList({"www.a.com"}));
    QCOMPARE(f.boxes, QStringList({"Cannot open Webpage", "Cannot open Webpage"}));
}

void ChatPanelTest::laterLineRecoloursSender() {
    Fixture f;
    f.panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.panel));
    f.panel.chatrecieved("3+Bob chats: MMMM WWWW|clRed");
    f.panel.chatrecieved("4+Ann chats: hello|clBlack");
    const auto redPixels = [&] {
        const QImage img = f.view()->viewport()->grab().toImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                n += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        return n;
    };
    QVERIFY(redPixels() > 20);
    f.panel.addlinetochat("3+Bob: <Chatter Sound> Applause", core::kClBlue);
    QCOMPARE(redPixels(), 0);
}

void ChatPanelTest::scrollChatOffAndPaste() {
    Fixture f;
    f.panel.show();
    QScrollBar* bar = f.view()->verticalScrollBar();
    for (int i = 0; i < 40; ++i)
        f.panel.addlinetochat("0+line " + std::to_string(i), 0);
    QCOMPARE(bar->value(), bar->maximum());
    f.panel.scrollChatOffAction()->trigger();
    QVERIFY(f.panel.scrollChatOffAction()->isChecked());
    bar->setValue(0);
    f.panel.addlinetochat("0+one more", 0);
    QCOMPARE(bar->value(), 0);
    QVERIFY(bar->maximum() > 0);

    QGuiApplication::clipboard()->setText("from the clipboard");
    f.entry()->setText("old text");
    QTest::keyClick(f.entry(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.entry()->text(), QString("from the clipboard"));
}

void ChatPanelTest::textSizeAndColour() {
    Fixture f;
    QSignalSpy sizes(&f.panel, &ChatPanel::textSizeChanged);
    QSignalSpy colours(&f.panel, &ChatPanel::textColourChanged);
    const auto checked = [&] {
        QStringList out;
        for (QAction* a : f.panel.textSizeMenu()->actions())
            if (a->isChecked()) out << a->text();
        return out;
    };
    f.panel.setTextSize(9);
    QCOMPARE(f.panel.textSize(), 9);
    QVERIFY(checked().isEmpty());
    actionNamed(f.panel.textSizeMenu(), "12")->trigger();
    QCOMPARE(checked(), QStringList({"12"}));
    QCOMPARE(f.view()->textSize(), 12);
    QCOMPARE(sizes.count(), 1);
    QCOMPARE(sizes.at(0).at(0).toInt(), 12);

    f.panel.setColourChooser([](const QColor&) { return std::nullopt; });
    f.panel.textColorAction()->trigger();
    QCOMPARE(colours.count(), 0);
    f.panel.setColourChooser([](const QColor& current) -> std::optional<QColor> {
        if (current != QColor(0, 0, 0)) return std::nullopt;
        return QColor(255, 192, 64);
    });
    f.panel.textColorAction()->trigger();
    QCOMPARE(colours.count(), 1);
    QCOMPARE(f.panel.textColour(), 0x0040C0FFu);
    QCOMPARE(f.entry()->palette().color(QPalette::Text), QColor(255, 192, 64));
    f.entry()->clear();
    f.type("x");
    QCOMPARE(f.takeSent(), QStringList({"CMD_chat+3+x|$0040C0FF"}));
}

// Set BRAMBLIES_GRAB_DIR to get a picture of the panel with a few typical lines.
void ChatPanelTest::grabForLooking() {
    const QByteArray dir = qgetenv("BRAMBLIES_GRAB_DIR");
    if (dir.isEmpty()) QSKIP("BRAMBLIES_GRAB_DIR not set");
    Fixture f;
    f.panel.resize(420, 300);
    f.panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.panel));
    f.panel.addlinetochat("0+Loading Multi-player Game.. Please Wait.", core::kClBlue);
    f.panel.addlinetochat("0+You are Connected.", core::kClBlue);
    f.panel.addlinetochat("0+Bob is Connected.", core::kClBlue);
    f.panel.chatrecieved("1+You chats: hi Bob :)#10 ready for a game?|clBlack");
    f.panel.chatrecieved("3+Bob chats: sure! rules are at www.bramblies.example/rules :)#24|"
                         "clGreen");
    f.panel.chatrecieved("3+Bob says: Good One!|clGreen");
    f.panel.chatrecieved("1+You waves \"Good-Bye\"|clBlack");
    f.panel.chatrecieved("5+Cy chats: :)#11:)#12:)#13:)#14:)#15:)#16:)#17:)#18:)#19:)#20:)#21"
                         ":)#22:)#23:)#25:)#26:)#27|clPurple");
    f.panel.chatrecieved("7+Dee chats: a very long address "
                         "http://example.com/a/really/long/path/that/does/not/fit/on/one/row "
                         "wraps|$0040C0FF");
    f.panel.chatrecieved("6+Eve chats: no colour here");
    QVERIFY(f.panel.grab().save(QString::fromLocal8Bit(dir) + "/chatpanel.png"));
    f.panel.setTextSize(14);
    f.view()->selectAll();
    QVERIFY(f.panel.grab().save(QString::fromLocal8Bit(dir) + "/chatpanel14.png"));

    // The pictures at six times their size, to judge the drawings.
    QImage sheet(6 * 17 * 9 + 8 * 6, 6 * 16 * 2 + 6, QImage::Format_ARGB32);
    sheet.fill(QColor(254, 248, 211));
    QPainter p(&sheet);
    for (int i = 0; i < kSmileyPictures; ++i)
        paintSmiley(p, QRectF((i % 9) * (6 * 17 + 6), (i / 9) * (6 * 16 + 6), 6 * 17, 6 * 16), i);
    p.end();
    QVERIFY(sheet.save(QString::fromLocal8Bit(dir) + "/smileys.png"));
}

QTEST_MAIN(ChatPanelTest)
#include "chatpanel_test.moc"
