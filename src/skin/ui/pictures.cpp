#include "skin/ui/pictures.h"

#include <QBitmap>

#include "common/resources.h"
#include "skin/png_image.h"

namespace varnel {

QImage loadPicture(std::string_view name) {
    const auto decoded = decodePicture(name, PixelOrder::Rgba);
    if (!decoded) return {};
    const QImage view(decoded->pixels.data(), decoded->size.width, decoded->size.height, decoded->size.width * 4,
                      QImage::Format_RGBA8888);
    return view.copy();
}

QRegion windowShape(const QImage& background) {
    // MaskInColor sets the bits of the matching pixels, and a bitmap region holds the cleared
    // bits: the maroon pixels fall outside (MaskOutColor would keep only them).
    const QImage opaque = background.convertToFormat(QImage::Format_RGB32);
    return QRegion(QBitmap::fromImage(opaque.createMaskFromColor(qRgb(128, 0, 0), Qt::MaskInColor)));
}

bool Pictures::exists(std::string_view name) { return findResource(name).ok(); }

bool Pictures::decoded(std::string_view name) const {
    return images_.contains(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

const QImage& Pictures::image(std::string_view name) {
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    auto it = images_.find(key);
    if (it == images_.end()) it = images_.insert(key, loadPicture(name));
    return *it;
}

const QPixmap& Pictures::pixmap(std::string_view name) {
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    auto it = pixmaps_.find(key);
    if (it == pixmaps_.end()) it = pixmaps_.insert(key, QPixmap::fromImage(image(name)));
    return *it;
}

}  // namespace varnel
