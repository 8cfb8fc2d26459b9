// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spectator list, "Bramblies - Spys": one entry "slot: name" per spectator in order of
// arrival, and a popup with "Remove From Game" that acts on the entry under the mouse
// pointer (not the selected one). The popup item is enabled only in the copy that hosts.
//
// The table client adds and removes entries as spectators come and go; the window only asks
// for a removal through kickRequested, and the table window decides whether to send it.

#include <QDialog>

class QAction;
class QListWidget;
class QMenu;

namespace ui {

class Tspylist : public QDialog {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);

    // The entry text for a spectator.
    static QString entryText(int slot, const QString& name);
    // The chat line for a spectator's arrival: "You are spying." for the local player.
    static QString spyingLine(int slot, const QString& name, int myslot);
    // The chat line for a spectator's departure.
    static QString leftLine(const QString& name);

    // A spectator arrived: appends his entry and returns the chat line to write.
    QString addSpy(int slot, const QString& name, int myslot);
    // A spectator left: when the list holds exactly his entry it is deleted and true returned
    // (the caller then writes leftLine); otherwise nothing changes.
    bool removeSpy(int slot, const QString& name);
    // "Remove From Game" is enabled in the copy that hosts once hosting begins.
    void setRemoveEnabled(bool enabled);

    QStringList entries() const;
    int pointedEntry() const { return m_pointed; }

signals:
    // "Remove From Game" on the entry of this slot.
    void kickRequested(int slot);

public slots:
    void popup_kickhimClick();
    void button_doneClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listbox_spysMouseMove(const QPoint& pos);

    QListWidget* m_list = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_kick = nullptr;
    int m_pointed = -1;
};

} // namespace ui
