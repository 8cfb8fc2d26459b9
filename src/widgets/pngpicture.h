// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures shipped as PNG files (in the program's resources or in Qt's), decoded by Qt's own PNG
// reader directly. A plain QImage, QPixmap or QIcon load first asks every installed image
// plugin whether it reads the file, loading each plugin library on the way -- at start-up
// that costs more than the decoding itself.
#include <QImage>
#include <QPixmap>
#include <QString>

namespace ui {

class PngPicture {
public:
    // The picture, or a null image when the file is missing or is no PNG.
    static QImage read(const QString& path);
    static QPixmap pixmap(const QString& path);
};

} // namespace ui
