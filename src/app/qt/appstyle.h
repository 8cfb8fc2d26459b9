// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's widget style: the platform's own (or the one asked for with -style), with two
// differences that nobody sees. Qt's styles make the menu bar's overflow arrows from PNG files
// in Qt's resources, by a load that first asks every installed image plugin about the file --
// and loads each plugin library to do so -- while the table window is being built. Here the
// same files are decoded by the PNG reader directly, and only once the arrow is first drawn
// (when the menus do not fit), so no plugin is loaded before the window's first picture.
// And scroll bars are painted in bands of rows (widgets/bandedpaint.h), pixel for pixel as the
// style paints them, without Qt's thread pool.
#include <QProxyStyle>

namespace ui {

class AppStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    // Makes an AppStyle over the application's current style the application's style.
    // Called once, after the application object exists and before any widget.
    static void install();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

} // namespace ui
