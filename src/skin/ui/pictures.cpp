#include "skin/ui/pictures.h"

#include <QBitmap>
#include <QGuiApplication>

#include "common/resources.h"
#include "skin/png_image.h"

namespace varnel {

int pictureScale() { return pictureScaleFor(qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0); }

QImage loadPicture(std::string_view name, int scale) {
    const ScaledPictureName picked = scaledPictureName(name, scale);
    const auto decoded = decodePicture(picked.resource, PixelOrder::Rgba);
    if (!decoded) return {};
    const QImage view(decoded->pixels.data(), decoded->size.width, decoded->size.height, decoded->size.width * 4,
                      QImage::Format_RGBA8888);
    QImage image = view.copy();
    image.setDevicePixelRatio(picked.scale);
    return image;
}

QRegion windowShape(const QImage& background) {
    // MaskInColor sets the bits of the matching pixels, and a bitmap region holds the cleared
    // bits: the maroon pixels fall outside (MaskOutColor would keep only them). A mask is in
    // logical pixels; the double set's outline is the single one's doubled, so every second
    // pixel tells it exactly.
    QImage opaque = background.convertToFormat(QImage::Format_RGB32);
    if (background.devicePixelRatio() != 1.0) {
        opaque = opaque.scaled(background.deviceIndependentSize().toSize(), Qt::IgnoreAspectRatio,
                               Qt::FastTransformation);
        opaque.setDevicePixelRatio(1.0);
    }
    return QRegion(QBitmap::fromImage(opaque.createMaskFromColor(qRgb(128, 0, 0), Qt::MaskInColor)));
}

bool Pictures::exists(std::string_view name) { return findResource(name).ok(); }

bool Pictures::decoded(std::string_view name) const {
    return images_.contains(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

const QImage& Pictures::image(std::string_view name) {
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    auto it = images_.find(key);
    if (it == images_.end()) it = images_.insert(key, loadPicture(name, scale_));
    return *it;
}

const QPixmap& Pictures::pixmap(std::string_view name) {
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    auto it = pixmaps_.find(key);
    if (it == pixmaps_.end()) it = pixmaps_.insert(key, QPixmap::fromImage(image(name)));
    return *it;
}

}  // namespace varnel
