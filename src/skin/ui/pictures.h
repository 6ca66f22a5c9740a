#pragma once
// Skin pictures for the widgets: embedded PNGs decoded once per name.
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QString>
#include <string_view>

namespace varnel {

// Decoding is the costly part of showing a picture: each is decoded at its first lookup, which
// widgets make when they first paint, and kept.
class Pictures {
public:
    // The picture `name`; a null image when there is no such resource or it does not decode.
    const QImage& image(std::string_view name);
    const QPixmap& pixmap(std::string_view name);
    // Whether there is a picture `name` to look up, without decoding it.
    static bool exists(std::string_view name);
    // Whether `name` was decoded already.
    bool decoded(std::string_view name) const;

private:
    QHash<QString, QImage> images_;
    QHash<QString, QPixmap> pixmaps_;
};

// A decoded embedded picture as a QImage (null when missing or unreadable).
QImage loadPicture(std::string_view name);

// The window's shape from its background: every pixel except the maroon (128, 0, 0) ones.
QRegion windowShape(const QImage& background);

}  // namespace varnel
