// Program entry. The start-up sequence (instance check, window creation) lives in app/qt.
#include "client/commandline.h"
#include "host/qt/dedicatedhost.h"

#include <QApplication>
#include <QLabel>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    // The dedicated host needs no display, so it is chosen before any GUI object exists.
    const auto commandLine =
        core::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (commandLine.dedicatedHost) return ui::runDedicatedHost(commandLine, argc, argv);

    QApplication app(argc, argv);
    QLabel label("Bramblies");
    label.setWindowTitle("Bramblies");
    label.resize(704, 501);
    label.show();
    return app.exec();
}
