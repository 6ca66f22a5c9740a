#pragma once
// Skin pictures for the widgets: embedded PNGs decoded once per name.
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QString>
#include <string_view>

namespace varnel {

// The picture set for the application's screens: 2 when one has a device pixel ratio above 1.
int pictureScale();

// Decoding is the costly part of showing a picture: each is decoded at its first lookup, which
// widgets make when they first paint, and kept.
class Pictures {
public:
    // The set of `scale` (1, or 2 for a high-resolution screen): by default the one for the
    // application's highest device pixel ratio.
    explicit Pictures(int scale = pictureScale()) : scale_(scale) {}

    // The picture `name`; a null image when there is no such resource or it does not decode.
    const QImage& image(std::string_view name);
    const QPixmap& pixmap(std::string_view name);
    // Whether there is a picture `name` to look up, without decoding it.
    static bool exists(std::string_view name);
    // Whether `name` was decoded already.
    bool decoded(std::string_view name) const;

private:
    int scale_;
    QHash<QString, QImage> images_;
    QHash<QString, QPixmap> pixmaps_;
};

// A decoded embedded picture as a QImage (null when missing or unreadable), from the set of
// `scale`; a picture of the double set carries a device pixel ratio of 2, so it is drawn at the
// size of the picture as designed.
QImage loadPicture(std::string_view name, int scale = pictureScale());

// The window's shape from its background, in the background's logical pixels: every pixel except
// the maroon (128, 0, 0) ones.
QRegion windowShape(const QImage& background);

}  // namespace varnel
