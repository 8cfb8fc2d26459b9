// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/tphrases.h"

#include "chat/qt/settingslocation.h"
#include "chat/settings.h"
#include "widgets/boardpalette.h"
#include "widgets/tiledbackground.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

namespace ui {

namespace {

const char* const kCaption = "Bramblies - Phrase Buttons ";
const char* const kLabel = "Phrase Button %1:";
const char* const kNote = "Buttons can only be used once every 2 seconds";
const char* const kDone = "Done";

// What the fields hold before the first opening fills them from the buttons.
const char* const kDesignPhrases[Tphrases::kPhraseCount] = {
    "Way To Go!", "Excellent!",        "Brilliant!",          "Good one!",  "Good Find!",
    "Nice Try!",  "Way To Go Teamie!", "Good Game Everyone!", "Good Luck!", "See ya!"};

const QColor kFieldColour = ui::BoardPalette::cream();

} // namespace

Tphrases::Tphrases(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("Tphrases"));
    setWindowTitle(QString::fromLatin1(kCaption));
    resize(368, 282);
    // The same white, tiled paper as the table window behind it.
    TiledBackground::apply(this);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::WindowText, Qt::black);
    setPalette(windowPalette);

    auto* grid = new QGridLayout(this);
    // Ten rows, the note and the button fit the window's 282 pixels.
    grid->setContentsMargins(10, 6, 10, 6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    for (int n = 0; n < kPhraseCount; ++n) {
        auto* label = new QLabel(QString::fromLatin1(kLabel).arg(n + 1), this);
        auto* field = new QLineEdit(QString::fromLatin1(kDesignPhrases[n]), this);
        field->setObjectName(QStringLiteral("phrase%1").arg(n + 1));
        field->setMaxLength(kMaxPhraseLength);
        field->setFixedHeight(20);
        QPalette fieldPalette = field->palette();
        fieldPalette.setColor(QPalette::Base, kFieldColour);
        field->setPalette(fieldPalette);
        label->setBuddy(field);
        grid->addWidget(label, n, 0);
        grid->addWidget(field, n, 1);
        m_fields[static_cast<std::size_t>(n)] = field;
    }
    auto* note = new QLabel(QString::fromLatin1(kNote), this);
    note->setObjectName(QStringLiteral("label_note"));
    QPalette notePalette = note->palette();
    notePalette.setColor(QPalette::WindowText, Qt::red);
    note->setPalette(notePalette);
    grid->addWidget(note, kPhraseCount, 0, 1, 2, Qt::AlignCenter);

    auto* doneButton = new QPushButton(QString::fromLatin1(kDone), this);
    doneButton->setObjectName(QStringLiteral("button_done"));
    doneButton->setFixedSize(75, 24);
    grid->addWidget(doneButton, kPhraseCount + 1, 0, 1, 2, Qt::AlignCenter);
    connect(doneButton, &QPushButton::clicked, this, &Tphrases::button_doneClick);
}

void Tphrases::setBackground(const QPixmap& picture) {
    if (picture.isNull()) {
        TiledBackground::apply(this);
        return;
    }
    QPalette p = palette();
    p.setBrush(QPalette::Window, QBrush(picture));
    setPalette(p);
}

void Tphrases::open(const Phrases& phrases) {
    for (int n = 0; n < kPhraseCount; ++n)
        m_fields[static_cast<std::size_t>(n)]->setText(phrases[static_cast<std::size_t>(n)]);
    show();
    raise();
    activateWindow();
}

Tphrases::Phrases Tphrases::phrases() const {
    Phrases out;
    for (std::size_t n = 0; n < out.size(); ++n)
        out[n] = m_fields[n]->text();
    return out;
}

void Tphrases::button_doneClick() {
    const Phrases typed = phrases();
    std::array<std::string, kPhraseCount> stored;
    for (std::size_t n = 0; n < stored.size(); ++n)
        stored[n] = typed[n].toStdString();
    if (m_settings) {
        m_settings->savePhrases(stored);
    } else {
        core::Settings settings(SettingsLocation::path());
        settings.savePhrases(stored);
    }
    emit done(typed);
    close();
}

} // namespace ui
