// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about window, "Bramblies - About": the title, the maker's web address (opens the
// maker's page), the credits block and the version. It also holds the version text that the
// client sends at login.

#include "net/protocol.h"

#include <QDialog>

class QLabel;

namespace ui {

class Tabout : public QDialog {
    Q_OBJECT
public:
    // Sent in the login message and compared by the host.
    static constexpr const char* kVersion = core::kVersionText;
    // Shown only.
    static constexpr const char* kBuild = ".7";
    static QString versionText() { return QString::fromLatin1(kVersion); }

    explicit Tabout(QWidget* parent = nullptr);

public slots:
    void Label7Click();
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();

    QLabel* m_address = nullptr;
    QLabel* m_credits = nullptr;
};

} // namespace ui
