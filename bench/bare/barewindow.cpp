// SPDX-License-Identifier: GPL-3.0-or-later
// The anchor for the first-paint figures: a bare Qt widgets window, one QLabel the size of the
// table window, started the same way as the program.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Bramblies"));
    label.resize(704, 501);
    label.show();
    return app.exec();
}
