// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt/appstyle.h"

#include "app/qt/pngsizesiconengine.h"
#include "widgets/bandedpaint.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace ui {

namespace {

// The sizes of Qt's own overflow arrows: the files PREFIX<size>.png in its style resources.
QIcon qtResourceIcon(const QString& prefix, std::initializer_list<int> sizes) {
    static const QString dir = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");
    const QString pattern = dir + prefix + QStringLiteral("%1.png");
    QList<int> present;
    for (int size : sizes)
        if (QFile::exists(pattern.arg(size))) present << size;
    if (present.isEmpty()) return {};
    return QIcon(new PngSizesIconEngine(pattern, present));
}

} // namespace

void AppStyle::install() {
    // The current style is the one Qt chose: the platform's, or the one asked for.
    QApplication::setStyle(new AppStyle(QStyleFactory::create(QApplication::style()->name())));
}

QIcon AppStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                             const QWidget* widget) const {
    QIcon icon;
    const bool rtl = widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft();
    if (which == SP_ToolBarHorizontalExtensionButton)
        icon = qtResourceIcon(rtl ? QStringLiteral("toolbar-ext-h-rtl-")
                                  : QStringLiteral("toolbar-ext-h-"),
                              {8, 16, 32});
    else if (which == SP_ToolBarVerticalExtensionButton)
        icon = qtResourceIcon(QStringLiteral("toolbar-ext-v-"), {5, 10, 20});
    return icon.isNull() ? QProxyStyle::standardIcon(which, option, widget) : icon;
}

void AppStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                  QPainter* painter, const QWidget* widget) const {
    // A scroll bar is a gradient as tall as its view.
    if (control == CC_ScrollBar && painter && option) {
        paintThroughBands(*painter, option->rect, [&](QPainter& band) {
            QProxyStyle::drawComplexControl(control, option, &band, widget);
        });
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

} // namespace ui
