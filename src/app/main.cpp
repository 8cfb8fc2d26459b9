// Program entry: the table window is the program's main window; closing it ends the program.
#include "client/qt/tchat.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::Tchat table;
    table.show();
    return app.exec();
}
