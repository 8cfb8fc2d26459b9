// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Creates the program's windows once, in their fixed order, and keeps them for the life of the
// program. The table window comes first (its creation code runs before any other window
// exists); the tally, about, download, help and phrase windows, the game host, the spectator
// list, the game options window and the solo window follow. Each place in the order is filled
// by a creator registered for its role, so windows join as they are written: a role with no
// creator is skipped. A role registered as made when first asked for is skipped by the start
// and made the first time it is looked up. Everything after the table starts hidden; the table
// window is the program's main window and closing it ends the program.
#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

class QWidget;

namespace ui {

class Tgamestart;

class WindowSet : public QObject {
    Q_OBJECT
public:
    enum class Role {
        Table,
        Tally,
        About,
        Download,
        Help,
        Phrases,
        Host,
        SpyList,
        GameStart,
        Solo
    };
    static constexpr int kRoleCount = 10;
    // The creation order.
    static const std::array<Role, kRoleCount>& order();

    // A creator builds one window (or, for the host, a plain object). It may look at the
    // objects created before it through the set, e.g. to parent itself to the table window.
    using Creator = std::function<QObject*(WindowSet& set)>;
    enum class Made { AtStart, WhenFirstAsked };

    explicit WindowSet(QObject* parent = nullptr);
    ~WindowSet() override;

    void setCreator(Role role, Creator creator, Made made = Made::AtStart);
    bool hasCreator(Role role) const;
    // Registers the creators of the windows that live with the start-up code (the game
    // options window, parented to the table window so it stays above it).
    void addDefaultCreators();

    // Runs every registered creator once, in order. False (and nothing created) when no table
    // creator is registered or the table creator returns no widget; calling it again does nothing.
    bool createAll();
    bool isCreated() const { return m_created; }

    // The role's object; one made when first asked for is made now (once the start is done).
    QObject* object(Role role);
    QWidget* window(Role role);
    QWidget* table() const;
    Tgamestart* gameStart();
    template <class T> T* as(Role role) { return qobject_cast<T*>(object(role)); }

signals:
    // The table window has been closed: the program should end.
    void tableClosed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static size_t index(Role role) { return static_cast<size_t>(role); }

    std::array<Creator, kRoleCount> m_creators;
    std::array<Made, kRoleCount> m_made{};
    std::array<QPointer<QObject>, kRoleCount> m_objects;
    std::array<Role, kRoleCount> m_createdOrder{};
    int m_createdCount = 0;
    bool m_created = false;
};

} // namespace ui
