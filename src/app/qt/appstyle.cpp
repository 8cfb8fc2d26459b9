#include "app/qt/appstyle.h"

#include "widgets/pngpicture.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QStyleFactory>
#include <QWidget>

#include <optional>

namespace ui {

namespace {

// An icon made of PNG files, decoded when it is first drawn or measured: the menu bar's
// overflow arrow is made with the menu bar but only drawn when the menus do not fit.
class PngFilesIconEngine : public QIconEngine {
public:
    explicit PngFilesIconEngine(QStringList files) : m_files(std::move(files)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new PngFilesIconEngine(m_files); }
    QString key() const override { return QStringLiteral("PngFilesIconEngine"); }

private:
    const QIcon& icon() {
        if (!m_icon) {
            m_icon.emplace();
            for (const QString& file : m_files)
                m_icon->addPixmap(PngPicture::pixmap(file));
        }
        return *m_icon;
    }

    QStringList m_files;
    std::optional<QIcon> m_icon;
};

// The sizes of Qt's own overflow arrows: the files PREFIX<size>.png in its style resources.
QIcon qtResourceIcon(const QString& prefix, std::initializer_list<int> sizes) {
    static const QString dir = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");
    QStringList files;
    for (int size : sizes) {
        const QString file = dir + prefix + QString::number(size) + QStringLiteral(".png");
        if (QFile::exists(file)) files << file;
    }
    if (files.isEmpty()) return {};
    return QIcon(new PngFilesIconEngine(files));
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

} // namespace ui
