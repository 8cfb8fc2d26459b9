// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/auxwindowset.h"

#include "chat/qt/chatpanel.h"
#include "chat/settings.h"
#include "client/qt/tchat.h"
#include "client/tableclient.h"
#include "stats/qt/ttallylist.h"
#include "stats/tallybook.h"
#include "widgets/dialogkeys.h"
#include "windows/tabout.h"
#include "windows/tdownload.h"
#include "windows/tgamestart.h"
#include "windows/thelp.h"
#include "windows/tphrases.h"
#include "windows/tsolo.h"
#include "windows/tspylist.h"

#include <QAbstractButton>

namespace ui {

namespace {

// Enter presses the window's default button, Escape closes it.
void answerKeys(QWidget* window, const char* defaultButton) {
    DialogKeys::install(window,
                        window->findChild<QAbstractButton*>(QString::fromLatin1(defaultButton)));
}

void bringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

AuxWindowSet::AuxWindowSet(Tchat& table, const QString& tallyDirectory)
    : QObject(&table), m_table(table),
      m_book(std::make_unique<core::TallyBook>(tallyDirectory.toStdString())) {
    setObjectName(QStringLiteral("auxwindows"));
    if (auto error = m_book->load()) Ttallylist::messageBoxes().error(&table, q(*error));
    table.setAuxWindows(this);
}

AuxWindowSet::~AuxWindowSet() {
    if (m_table.auxWindows() == this) m_table.setAuxWindows(nullptr);
}

Thelp* AuxWindowSet::help() {
    if (!m_help) {
        m_help = new Thelp(&m_table);
        connect(m_help, &Thelp::aboutRequested, this, &AuxWindowSet::showAbout);
    }
    return m_help;
}

Tabout* AuxWindowSet::about() {
    if (!m_about) m_about = new Tabout(&m_table);
    return m_about;
}

Tsolo* AuxWindowSet::solo() {
    if (!m_solo) m_solo = new Tsolo(&m_table);
    return m_solo;
}

Tdownload* AuxWindowSet::download() {
    if (!m_download) {
        m_download = new Tdownload(&m_table);
        // Its "Exit" ends the program the way the File menu does.
        connect(m_download, &Tdownload::exitRequested, &m_table, &QWidget::close);
    }
    return m_download;
}

Tgamestart* AuxWindowSet::gameOptions() {
    if (!m_gameOptions) {
        m_gameOptions = new Tgamestart(&m_table);
        answerKeys(m_gameOptions, "button_start");
        m_gameOptions->setLimit(m_table.settings().rolls());
        connect(m_gameOptions, &Tgamestart::startRequested, this, [this](int limit) {
            m_table.client().sendStartGame(limit);
            m_table.settings().setRolls(limit);
        });
    }
    return m_gameOptions;
}

Tspylist* AuxWindowSet::spyList() {
    if (!m_spyList) {
        m_spyList = new Tspylist(&m_table);
        answerKeys(m_spyList, "button_done");
        const core::TableClient& client = m_table.client();
        m_spyList->setRemoveEnabled(m_spyRemoveEnabled);
        for (const core::Spectator& s : client.spectators())
            m_spyList->addSpy(s.slot, q(s.name), client.myslot());
        connect(m_spyList, &Tspylist::kickRequested, this,
                [this](int slot) { m_table.client().kicking(slot); });
    }
    return m_spyList;
}

Tphrases* AuxWindowSet::phrases() {
    if (!m_phrases) {
        m_phrases = new Tphrases(&m_table);
        answerKeys(m_phrases, "button_done");
        m_phrases->setSettings(&m_table.settings());
        connect(m_phrases, &Tphrases::done, this, [this](const std::array<QString, 10>& texts) {
            for (int n = 1; n <= Tphrases::kPhraseCount; ++n)
                m_table.chat()->setPhrase(n, texts[static_cast<std::size_t>(n - 1)]);
        });
    }
    return m_phrases;
}

Ttallylist* AuxWindowSet::tally() {
    if (!m_tally) {
        m_tally = new Ttallylist(*m_book, &m_table);
        answerKeys(m_tally, "button_done");
        m_tally->setSeatSource([this] {
            const core::TallySeats now = seats();
            Ttallylist::Seats shown;
            for (const std::string& label : now.labels)
                shown.labels << q(label);
            shown.myslot = now.myslot;
            return shown;
        });
    }
    return m_tally;
}

core::TallySeats AuxWindowSet::seats() const {
    core::TallySeats now;
    const core::TableClient& client = m_table.client();
    for (int n = 1; n <= core::kSeatCount; ++n)
        now.labels.push_back(client.board().seat(n).label);
    now.myslot = client.myslot();
    return now;
}

void AuxWindowSet::showHelp() {
    bringUp(help());
}

void AuxWindowSet::showAbout() {
    bringUp(about());
}

void AuxWindowSet::showSolo() {
    bringUp(solo());
}

void AuxWindowSet::showDownload() {
    // Offered at the start of a solo game, over the table window that keeps the keyboard.
    Tdownload* window = download();
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->show();
    window->raise();
}

void AuxWindowSet::showGameOptions() {
    bringUp(gameOptions());
}

void AuxWindowSet::showSpyList() {
    bringUp(spyList());
}

void AuxWindowSet::showPhrases() {
    Tphrases::Phrases current;
    for (int n = 1; n <= Tphrases::kPhraseCount; ++n)
        current[static_cast<std::size_t>(n - 1)] = m_table.chat()->phrase(n);
    phrases()->open(current);
}

void AuxWindowSet::viewTally() {
    tally()->viewTally();
}

void AuxWindowSet::spectatorAdded(const core::Spectator& spectator) {
    // A list made later is filled from the client's spectators then.
    if (m_spyList) m_spyList->addSpy(spectator.slot, q(spectator.name), m_table.client().myslot());
}

void AuxWindowSet::spectatorRemoved(const core::Spectator& spectator) {
    if (m_spyList) m_spyList->removeSpy(spectator.slot, q(spectator.name));
}

void AuxWindowSet::setSpyRemoveEnabled(bool enabled) {
    m_spyRemoveEnabled = enabled;
    if (m_spyList) m_spyList->setRemoveEnabled(enabled);
}

void AuxWindowSet::settingsLoaded() {
    if (m_gameOptions) m_gameOptions->setLimit(m_table.settings().rolls());
}

void AuxWindowSet::addtomineincrease(int column) {
    if (m_tally) {
        m_tally->addtomineincrease(column);
        return;
    }
    if (auto error = m_book->tally().addtomineincrease(column))
        Ttallylist::messageBoxes().error(&m_table, q(*error));
}

void AuxWindowSet::recordGame(bool localWon, const QString& winnersText, const QString& myTotal) {
    if (m_tally) {
        m_tally->recordWinner(localWon, winnersText, myTotal);
        return;
    }
    bool recorded = false;
    if (auto error = m_book->recordWinner(localWon, winnersText.toStdString(),
                                          myTotal.toStdString(), seats(), recorded))
        Ttallylist::messageBoxes().error(&m_table, q(*error));
}

} // namespace ui
