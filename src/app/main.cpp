// Program entry. The start-up sequence (instance check, window creation) lives in app/qt.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Bramblies");
    label.setWindowTitle("Bramblies");
    label.resize(704, 501);
    label.show();
    return app.exec();
}
