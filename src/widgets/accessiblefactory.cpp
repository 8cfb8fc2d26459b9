// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessiblefactory.h"

#include "widgets/accessiblepainted.h"
#include "widgets/accessiblescoresheet.h"
#include "widgets/categorytile.h"
#include "widgets/dieview.h"
#include "widgets/markview.h"
#include "widgets/rollsindicator.h"
#include "widgets/rotatedlabel.h"
#include "widgets/scoresheetcursor.h"

namespace ui {

namespace {

QString markName(MarkView::Kind kind) {
    switch (kind) {
    case MarkView::Kind::Eyes:
        return QStringLiteral("Just watching");
    case MarkView::Kind::NotPlaying:
        return QStringLiteral("Not playing");
    case MarkView::Kind::Winner:
        return QStringLiteral("Winner");
    case MarkView::Kind::Bonus:
        return QStringLiteral("Bonus die");
    case MarkView::Kind::Category:
        return QStringLiteral("Working category");
    }
    return {};
}

// Asked once per class name up an object's class chain, most derived first.
QAccessibleInterface* boardInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (className == QLatin1String("ui::DieView"))
        return new AccessiblePainted(widget, QAccessible::Button);
    if (className == QLatin1String("ui::CategoryTile"))
        return new AccessiblePainted(widget, QAccessible::Button);
    if (className == QLatin1String("ui::RotatedLabel"))
        return new AccessiblePainted(widget, QAccessible::StaticText);
    if (className == QLatin1String("ui::RollsIndicator"))
        return new AccessiblePainted(widget, QAccessible::StaticText, QStringLiteral("Rolls"));
    if (className == QLatin1String("ui::MarkView"))
        return new AccessiblePainted(widget, QAccessible::Graphic,
                                     markName(static_cast<MarkView*>(widget)->kind()));
    if (className == QLatin1String("ui::ScoreSheetCursor"))
        return new AccessibleScoreSheet(static_cast<ScoreSheetCursor*>(widget));
    return nullptr;
}

} // namespace

void installAccessibleFactory() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(boardInterface);
}

} // namespace ui
