// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help window, "Bramblies - Help File": seven read-only pages behind page buttons, a
// title bar naming the page in front, "About", a credits block and "Done".
//
// The stored lines of a paragraph were broken for a page of one width: a line that ends in a
// blank goes on in the next one. A page shows each paragraph joined up and lets the page wrap
// it; empty lines and lines without a trailing blank still end where they were stored.
//
// The title bar takes the caption of the button that brought the page forward, so page 6 is
// titled "Documentation" while its text begins "History".

#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace ui {

class Thelp : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPages = 7;

    explicit Thelp(QWidget* parent = nullptr);

    // The stored lines of a page (1..7); page 2 carries the configured web addresses.
    static QStringList pageLines(int page);
    // What a page shows: its stored lines with those of each paragraph joined.
    static QString pageText(int page);
    // The caption of the button of a page (1..7).
    static QString pageCaption(int page);

    int currentPage() const;
    QString title() const;

signals:
    // "About" was pressed: the about window should be shown.
    void aboutRequested();

public slots:
    void SelButton1Click();
    void button_aboutClick();
    void button_doneClick();

private:
    void FormCreate();
    void showPage(int page);

    QLabel* m_title = nullptr;
    QLabel* m_credits = nullptr;
    QStackedWidget* m_pages = nullptr;
};

} // namespace ui
