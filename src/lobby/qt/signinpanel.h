// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The internet lobby's sign-in line: server, account name and password with "Sign in" and
// "Create account" while signed out; who we are and "Sign out" while signed in. It only asks:
// the window signs in and tells it how that went.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace lobby {

class SignInPanel : public QWidget {
    Q_OBJECT
public:
    explicit SignInPanel(QWidget* parent = nullptr);

    void fill(const QString& server, const QString& account);
    void setPassword(const QString& password);
    QString server() const;
    QString account() const;
    QString password() const;

    // While a sign-in runs the buttons wait.
    void showBusy(const QString& text);
    void showFailure(const QString& message);
    void showSignedIn(const QString& nick, const QString& server);
    void showSignedOut();
    // A note below the line (e.g. that the password could not be kept).
    void showNote(const QString& text);
    // Without a session behind it the line says why and stays disabled.
    void showUnavailable(const QString& why);

signals:
    void signInRequested(bool createAccount);
    void signOutRequested();

private:
    QWidget* buildForm();
    void updateButtons();

    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_server = nullptr;
    QLineEdit* m_account = nullptr;
    QLineEdit* m_password = nullptr;
    QPushButton* m_signIn = nullptr;
    QPushButton* m_create = nullptr;
    QLabel* m_who = nullptr;
    QPushButton* m_signOut = nullptr;
    QLabel* m_status = nullptr;
    bool m_busy = false;
};

} // namespace lobby
