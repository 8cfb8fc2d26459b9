// SPDX-License-Identifier: GPL-3.0-or-later
#include "lobby/qt/signinpanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace lobby {

namespace {

QLineEdit* lineEdit(const char* objectName, const QString& accessible, int maxLength) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setAccessibleName(accessible);
    edit->setMaxLength(maxLength);
    return edit;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

SignInPanel::SignInPanel(QWidget* parent) : QWidget(parent) {
    m_pages = new QStackedWidget;
    m_pages->addWidget(buildForm());

    auto* signedIn = new QWidget;
    m_who = new QLabel;
    m_who->setObjectName(QStringLiteral("label_signedin"));
    m_signOut = new QPushButton(tr("Sign &out"));
    m_signOut->setObjectName(QStringLiteral("button_signout"));
    m_signOut->setAccessibleName(tr("Sign out of the internet lobby"));
    auto* row = new QHBoxLayout(signedIn);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_who, 1);
    row->addWidget(m_signOut);
    m_pages->addWidget(signedIn);

    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("label_signin_status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    layout->addWidget(m_status);

    connect(m_signIn, &QPushButton::clicked, this, [this] { emit signInRequested(false); });
    connect(m_create, &QPushButton::clicked, this, [this] { emit signInRequested(true); });
    connect(m_signOut, &QPushButton::clicked, this, &SignInPanel::signOutRequested);
    for (QLineEdit* edit : {m_server, m_account, m_password})
        connect(edit, &QLineEdit::textChanged, this, [this] { updateButtons(); });
    updateButtons();
}

QWidget* SignInPanel::buildForm() {
    m_server = lineEdit("edit_server", tr("Lobby server"), 255);
    m_server->setPlaceholderText(tr("play.example.org"));
    m_account = lineEdit("edit_account", tr("Account name"), 64);
    m_password = lineEdit("edit_password", tr("Password"), 1024);
    m_password->setEchoMode(QLineEdit::Password);
    m_signIn = new QPushButton(tr("S&ign in"));
    m_signIn->setObjectName(QStringLiteral("button_signin"));
    m_signIn->setAccessibleName(tr("Sign in to the internet lobby"));
    m_create = new QPushButton(tr("&Create account"));
    m_create->setObjectName(QStringLiteral("button_create"));
    m_create->setAccessibleName(tr("Create an account on the server and sign in"));
    connect(m_password, &QLineEdit::returnPressed, m_signIn, &QPushButton::click);

    auto* form = new QWidget;
    auto* row = new QHBoxLayout(form);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(buddyLabel(tr("&Server:"), m_server));
    row->addWidget(m_server, 2);
    row->addWidget(buddyLabel(tr("&Account:"), m_account));
    row->addWidget(m_account, 1);
    row->addWidget(buddyLabel(tr("Pass&word:"), m_password));
    row->addWidget(m_password, 1);
    row->addWidget(m_signIn);
    row->addWidget(m_create);
    return form;
}

void SignInPanel::fill(const QString& server, const QString& account) {
    m_server->setText(server);
    m_account->setText(account);
}

void SignInPanel::setPassword(const QString& password) {
    m_password->setText(password);
}

QString SignInPanel::server() const {
    return m_server->text().trimmed();
}

QString SignInPanel::account() const {
    return m_account->text().trimmed();
}

QString SignInPanel::password() const {
    return m_password->text();
}

void SignInPanel::updateButtons() {
    const bool ready =
        !m_busy && !server().isEmpty() && !account().isEmpty() && !m_password->text().isEmpty();
    m_signIn->setEnabled(ready);
    m_create->setEnabled(ready);
}

void SignInPanel::showBusy(const QString& text) {
    m_busy = true;
    m_status->setText(text);
    updateButtons();
}

void SignInPanel::showFailure(const QString& message) {
    m_busy = false;
    m_pages->setCurrentIndex(0);
    m_status->setText(message);
    updateButtons();
}

void SignInPanel::showSignedIn(const QString& nick, const QString& server) {
    m_busy = false;
    m_who->setText(tr("Signed in as %1 on %2.").arg(nick, server));
    m_status->clear();
    m_pages->setCurrentIndex(1);
}

void SignInPanel::showSignedOut() {
    m_busy = false;
    m_pages->setCurrentIndex(0);
    updateButtons();
}

void SignInPanel::showNote(const QString& text) {
    m_status->setText(text);
}

void SignInPanel::showUnavailable(const QString& why) {
    m_status->setText(why);
    m_pages->setEnabled(false);
}

} // namespace lobby
