#pragma once
// The table window: the program's main window. It holds the board on the left and the chat on
// the right, owns the menus, and carries the menu commands to the pieces that act on them.
//
// The window decides nothing about the game: the table client's logic does, and the window
// only shows what it is told and sends what it is asked to.

#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;

namespace ui {

class ChatPanel;

// What the window is started with: the positional command-line parameters (name, host
// address, "true" to host; none for solo play), the game port and the host's time scale.
struct TchatOptions {
    std::vector<std::string> params;
    quint16 port = 7772;
    double timeScale = 1.0;
};

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static const QString kCaption;          // "Bramblies"
    static constexpr int kDefaultWidth = 704;
    static constexpr int kDefaultHeight = 501;

    explicit Tchat(TchatOptions options = {}, QWidget* parent = nullptr);
    ~Tchat() override;

    const TchatOptions& options() const { return m_options; }
    ChatPanel* chat() const { return m_chat; }

    // Modal boxes go through here, so tests can take them without blocking.
    using MessageBoxFn = std::function<void(const QString&)>;
    void setMessageBox(MessageBoxFn show);
    void messageBox(const QString& text);

private:
    void buildMenus();
    QAction* addItem(QMenu* menu, const QString& text, const char* name, bool enabled = true);

    TchatOptions m_options;
    ChatPanel* m_chat = nullptr;
    QWidget* m_boardArea = nullptr;
    MessageBoxFn m_messageBox;
};

} // namespace ui
