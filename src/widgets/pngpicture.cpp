// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/pngpicture.h"

#include <QImageReader>

namespace ui {

QImage PngPicture::read(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false); // no plugin is asked; the built-in reader decodes
    return reader.read();
}

QPixmap PngPicture::pixmap(const QString& path) {
    return QPixmap::fromImage(read(path));
}

} // namespace ui
