// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/qt/ttallylist.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using ui::Ttallylist;

namespace {

// Answers questions from a script and records every box.
struct Boxes {
    QStringList asked;
    QStringList errors;
    QList<bool> answers;

    Ttallylist::Dialogs dialogs() {
        Ttallylist::Dialogs d;
        d.ask = [this](QWidget*, const QString& q) {
            asked << q;
            return answers.isEmpty() ? false : answers.takeFirst();
        };
        d.error = [this](QWidget*, const QString& e) { errors << e; };
        return d;
    }
};

QString text(QWidget* w, const char* name) {
    auto* label = w->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

QStringList personal(QWidget* w) {
    QStringList out;
    for (int c = 1; c <= 5; ++c)
        out << text(w, QStringLiteral("mylabel_%1").arg(c).toLatin1());
    return out;
}

QStringList opponent(QWidget* w) {
    QStringList out;
    for (int c = 1; c <= 8; ++c)
        out << text(w, QStringLiteral("label_%1").arg(c).toLatin1());
    return out;
}

QStringList items(QListWidget* list, bool onlyChecked = false) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (!onlyChecked || list->item(i)->checkState() == Qt::Checked)
            out << list->item(i)->text();
    return out;
}

void grab(QWidget* w, const QString& name) {
    const QByteArray dir = qgetenv("BRAMBLIES_GRAB_DIR");
    if (!dir.isEmpty()) w->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
}

} // namespace

class TtallylistTest : public QObject {
    Q_OBJECT
private slots:
    void freshWindow();
    void followingPlayersAndRecordingGames();
    void deleteQuestionAndReset();
    void unreadableFileGivesAnErrorAndAFreshTally();
    void badCounterIsReported();
};

void TtallylistTest::freshWindow() {
    QTemporaryDir dir;
    Boxes boxes;
    Ttallylist w(dir.path(), nullptr, boxes.dialogs());
    QCOMPARE(w.windowTitle(), QStringLiteral("Bramblies - Tally List"));
    QCOMPARE(w.size(), QSize(455, 400));
    QCOMPARE(personal(&w), QStringList(5, QStringLiteral("0")));
    QCOMPARE(opponent(&w), QStringList(8, QStringLiteral("0")));
    QCOMPARE(text(&w, "label_hisname"), QStringLiteral("XX Wins:"));
    QCOMPARE(text(&w, "label_hisnametop"), QString());
    QCOMPARE(w.findChild<QPushButton*>("button_done")->text(), QStringLiteral("Done"));
    QCOMPARE(w.findChild<QPushButton*>("SelButton1")->text(), QStringLiteral("Reset Tally"));
    QVERIFY(boxes.errors.isEmpty());
    QCOMPARE(w.filePath(), QDir(dir.path()).filePath("brambliestally.tld"));
}

void TtallylistTest::followingPlayersAndRecordingGames() {
    QTemporaryDir dir;
    Boxes boxes;
    Ttallylist::Seats seats{{"Me", "Bob", "<Waiting>", "Cid", "<Waiting>", "<Waiting>"}, 1};
    {
        Ttallylist w(dir.path(), nullptr, boxes.dialogs());
        w.setSeatSource([&] { return seats; });
        w.viewTally();
        auto* checklist = w.findChild<QListWidget*>("checklist");
        auto* tallied = w.findChild<QListWidget*>("listbox_tally");
        QCOMPARE(items(checklist), (QStringList{"Bob", "Cid"}));
        QCOMPARE(items(checklist, true), QStringList());

        // Ticking Bob starts his tally; unticking him there changes nothing.
        checklist->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(items(tallied, true), QStringList{"Bob"});
        checklist->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(items(tallied, true), QStringList{"Bob"});
        QCOMPARE(checklist->item(0)->checkState(), Qt::Checked);

        w.addtomineincrease(5);
        w.addtomineincrease(4);
        w.recordWinner(false, "Bob", "120");
        tallied->setCurrentRow(0);
        QCOMPARE(text(&w, "label_hisnametop"), QStringLiteral("Bob's Tally"));
        QCOMPARE(text(&w, "label_hisname"), QStringLiteral("Bob Wins:"));
        QCOMPARE(opponent(&w), (QStringList{"1", "1", "0", "0", "1", "1", "0", "0"}));

        // Bob now sits as BOB: still his row, and the labels follow the selected opponent.
        seats.labels[1] = "BOB";
        w.recordWinner(true, "You", "150");
        QCOMPARE(personal(&w), (QStringList{"2", "1", "150", "1", "1"}));
        QCOMPARE(opponent(&w), (QStringList{"2", "1", "1", "0", "2", "1", "1", "0"}));
        grab(&w, "tallylist.png");

        // Already on disk after the game, before the window goes (a crash loses nothing).
        Ttallylist early(dir.path(), nullptr, boxes.dialogs());
        QCOMPARE(personal(&early), (QStringList{"2", "1", "150", "1", "1"}));
    }
    // A new run: totals kept, session columns back to 0.
    Ttallylist w(dir.path(), nullptr, boxes.dialogs());
    auto* tallied = w.findChild<QListWidget*>("listbox_tally");
    QCOMPARE(items(tallied, true), QStringList{"Bob"});
    tallied->setCurrentRow(0);
    QCOMPARE(opponent(&w), (QStringList{"2", "1", "1", "0", "0", "0", "0", "0"}));
    QVERIFY(boxes.errors.isEmpty());
}

void TtallylistTest::deleteQuestionAndReset() {
    QTemporaryDir dir;
    Boxes boxes;
    Ttallylist w(dir.path(), nullptr, boxes.dialogs());
    Ttallylist::Seats seats{{"Ann", "Me", "Bob", "Cid"}, 2};
    w.setSeatSource([&] { return seats; });
    w.loadchecklist();
    auto* checklist = w.findChild<QListWidget*>("checklist");
    auto* tallied = w.findChild<QListWidget*>("listbox_tally");
    for (int i = 0; i < 3; ++i)
        checklist->item(i)->setCheckState(Qt::Checked);
    w.addgame("Cid");

    boxes.answers = {false};
    tallied->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(boxes.asked.last(),
             QStringLiteral("This will delete Ann's Tally, Are you want to delete it?"));
    QCOMPARE(items(tallied, true), (QStringList{"Ann", "Bob", "Cid"}));
    QCOMPARE(w.stringgrid_scores().rowCount(), 4);

    boxes.answers = {true};
    tallied->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(items(tallied, true), (QStringList{"Bob", "Cid"}));
    QCOMPARE(w.stringgrid_scores().cell(0, 2), std::string("Cid"));
    QCOMPARE(w.stringgrid_scores().cell(2, 2), std::string("1"));
    QCOMPARE(items(checklist, true), (QStringList{"Bob", "Cid"}));

    boxes.answers = {false};
    w.findChild<QPushButton*>("SelButton1")->click();
    QCOMPARE(boxes.asked.last(), QStringLiteral("Are you sure you want to reset the Tally?"));
    QCOMPARE(tallied->count(), 2);
    boxes.answers = {true};
    tallied->setCurrentRow(1);
    w.findChild<QPushButton*>("SelButton1")->click();
    QCOMPARE(tallied->count(), 0);
    QCOMPARE(w.stringgrid_scores().rowCount(), 1);
    QCOMPARE(personal(&w), QStringList(5, QStringLiteral("0")));
    QCOMPARE(opponent(&w), QStringList(8, QStringLiteral("0")));
    QCOMPARE(items(checklist, true), QStringList());
}

void TtallylistTest::unreadableFileGivesAnErrorAndAFreshTally() {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("brambliestally.tld");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a tally");
    }
    Boxes boxes;
    {
        Ttallylist w(dir.path(), nullptr, boxes.dialogs());
        QCOMPARE(boxes.errors,
                 QStringList{path + " : Lzrw1 decompression : this file has no valid header !"});
        QCOMPARE(personal(&w), QStringList(5, QStringLiteral("0")));
        QCOMPARE(w.findChild<QListWidget*>("listbox_tally")->count(), 0);
        w.addtomineincrease(1);
    }
    // The fresh tally was written at the end, and the unreadable file kept aside.
    Ttallylist again(dir.path(), nullptr, boxes.dialogs());
    QCOMPARE(boxes.errors.size(), 1);
    QCOMPARE(text(&again, "mylabel_1"), QStringLiteral("1"));
    QVERIFY(QFile::exists(path + ".bad"));
}

void TtallylistTest::badCounterIsReported() {
    QTemporaryDir dir;
    Boxes boxes;
    Ttallylist w(dir.path(), nullptr, boxes.dialogs());
    w.addtomineset(4, "many");
    QCOMPARE(text(&w, "mylabel_4"), QStringLiteral("many"));
    w.addtomineincrease(4);
    QCOMPARE(boxes.errors, QStringList{"'many' is not a valid integer value"});
    QCOMPARE(w.addit(1, 0), 1);
    QCOMPARE(text(&w, "mylabel_1"), QStringLiteral("1"));
}

QTEST_MAIN(TtallylistTest)
#include "ttallylist_test.moc"
