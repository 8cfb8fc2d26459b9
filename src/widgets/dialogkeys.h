// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Enter and Escape for a small window that is not a QDialog (or whose buttons are painted):
// Enter presses its default button, Escape presses its cancel button or, without one, closes
// the window. Keys that a control inside the window takes for itself never get here.
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace ui {

class DialogKeys : public QObject {
    Q_OBJECT
public:
    // Owned by the window.
    static DialogKeys* install(QWidget* window, QAbstractButton* defaultButton,
                               QAbstractButton* cancelButton = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DialogKeys(QWidget* window, QAbstractButton* defaultButton, QAbstractButton* cancelButton);

    QWidget* m_window;
    QPointer<QAbstractButton> m_default;
    QPointer<QAbstractButton> m_cancel;
};

} // namespace ui
