// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line label that shows as much of its text as its width allows: a text too long is cut
// with "…" and the whole text becomes the tooltip. A kept ending (such as "'s turn" after a
// name) is never cut, so the cut falls inside the part before it.
#include <QLabel>

namespace ui {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr) : QLabel(parent) {}

    // keptEnding: how many characters at the end are always shown.
    void setFullText(const QString& text, int keptEnding = 0);
    QString fullText() const { return m_full; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void relayout();

    QString m_full;
    int m_kept = 0;
};

} // namespace ui
