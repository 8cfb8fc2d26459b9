#include "app/qt/appstyle.h"

#include "widgets/pngpicture.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStyleFactory>
#include <QWidget>

#include <map>

namespace ui {

namespace {

// Every size of one of Qt's own pictures: the files PREFIX<size>.png in its style resources.
QIcon qtResourceIcon(const QString& prefix) {
    static const QString dir = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");
    std::map<int, QString> bySize;
    for (const QString& file : QDir(dir).entryList({prefix + QStringLiteral("*.png")}, QDir::Files)) {
        // "toolbar-ext-h-16.png" but not "toolbar-ext-h-rtl-16.png": only digits follow.
        bool isSize = false;
        const int size = file.mid(prefix.size()).chopped(4).toInt(&isSize);
        if (isSize) bySize.emplace(size, file);
    }
    QIcon icon;
    for (const auto& [size, file] : bySize) {
        const QPixmap picture = PngPicture::pixmap(dir + file);
        if (!picture.isNull()) icon.addPixmap(picture);
    }
    return icon;
}

} // namespace

void AppStyle::install() {
    // The current style is the one Qt chose: the platform's, or the one asked for.
    QApplication::setStyle(new AppStyle(QStyleFactory::create(QApplication::style()->name())));
}

QIcon AppStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                             const QWidget* widget) const {
    QString prefix;
    const bool rtl = widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft();
    if (which == SP_ToolBarHorizontalExtensionButton)
        prefix = rtl ? QStringLiteral("toolbar-ext-h-rtl-") : QStringLiteral("toolbar-ext-h-");
    else if (which == SP_ToolBarVerticalExtensionButton)
        prefix = QStringLiteral("toolbar-ext-v-");
    if (!prefix.isEmpty()) {
        const QIcon icon = qtResourceIcon(prefix);
        if (!icon.isNull()) return icon;
    }
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace ui
