// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a piece of work once a window has put its first picture on the screen: work that the
// first picture does not need (loading sounds, say) then never delays it.
#include <QObject>

#include <functional>

class QWidget;

namespace ui {

class FirstFrame : public QObject {
    Q_OBJECT
public:
    // After window's first exposure has been painted (at once, from the event loop, when the
    // window has no native window yet to watch).
    static void after(QWidget* window, std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstFrame(std::function<void()> work, QObject* parent);
    std::function<void()> m_work;
};

} // namespace ui
