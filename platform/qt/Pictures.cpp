#include "platform/qt/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <atomic>
#include <thread>

namespace penrica {

namespace {

constexpr int kJpegQuality = 95;

QString QtPath(const std::filesystem::path& file) {
    std::u8string s = file.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(s.data()),
                             static_cast<qsizetype>(s.size()));
}

// The picture decoded at `size`. Qt shrinks a picture with a colour table (a 1-bit or 8-bit
// palette PNG) within that table, which turns a two-colour chart black or into a dither: such a
// picture is decoded whole and shrunk in full colour instead, where its full colour stays within
// the memory of a picture of the largest decoded side.
QImage ReadScaled(QImageReader& reader, QSize size) {
    const bool turned = reader.autoTransform() &&
                        (reader.transformation() & QImageIOHandler::TransformationRotate90);
    const QImage::Format stored = reader.imageFormat();
    const QSize whole = reader.size();
    const bool colourTable = stored == QImage::Format_Mono || stored == QImage::Format_MonoLSB ||
                             stored == QImage::Format_Indexed8;
    if (!colourTable || !whole.isValid() ||
        qint64(whole.width()) * whole.height() >
            qint64(kLargestDecodedSide) * kLargestDecodedSide) {
        // The reader scales the picture as the file holds it, and then turns it.
        reader.setScaledSize(turned ? size.transposed() : size);
        return reader.read();
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        return image;
    }
    return image
        .convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage ReadBounded(QImageReader& reader) {
    QSize size = reader.size();
    if (size.isValid() &&
        (size.width() > kLargestDecodedSide || size.height() > kLargestDecodedSide)) {
        return ReadScaled(
            reader, size.scaled(kLargestDecodedSide, kLargestDecodedSide, Qt::KeepAspectRatio));
    }
    return reader.read();
}

// The format the picture's bytes are in, when a copy can be written in it; else empty.
QByteArray WritableFormat(QImageReader& reader) {
    const QByteArray format = reader.format();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)) {
        return {};
    }
    return format;
}

} // namespace

QImage LoadPicture(const std::filesystem::path& file) {
    QImageReader reader(QtPath(file));
    reader.setDecideFormatFromContent(true);
    QImage image = ReadBounded(reader);
    // A picture decoded shrunk still reports its real size to the program's measuring.
    return image;
}

QImage LoadThumbnail(const std::filesystem::path& file, QSize size) {
    QImageReader reader(QtPath(file));
    reader.setDecideFormatFromContent(true);
    if (!reader.size().isValid()) {
        const QImage image = reader.read();
        return image.isNull() ? image : image.scaled(size);
    }
    return ReadScaled(reader, size);
}

std::vector<QImage> LoadThumbnails(const std::vector<std::filesystem::path>& files, QSize size) {
    std::vector<QImage> thumbnails(files.size());
    const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1,
                                                        std::max<std::size_t>(files.size(), 1));
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            thumbnails[i] = LoadThumbnail(files[i], size);
        }
    };
    std::vector<std::thread> threads;
    for (std::size_t w = 1; w < workers; ++w) {
        threads.emplace_back(work);
    }
    work();
    for (std::thread& thread : threads) {
        thread.join();
    }
    return thumbnails;
}

PictureSize MeasurePicture(const std::filesystem::path& file) {
    QImageReader reader(QtPath(file));
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        return {};
    }
    return {size.width(), size.height()};
}

bool CanRewritePicture(const std::filesystem::path& file) {
    QImageReader reader(QtPath(file));
    reader.setDecideFormatFromContent(true);
    return !WritableFormat(reader).isEmpty();
}

PictureSize UprightSize(const std::filesystem::path& file, PictureSize size) {
    QImageReader reader(QtPath(file));
    reader.setDecideFormatFromContent(true);
    if (reader.transformation() & QImageIOHandler::TransformationRotate90) {
        return {size.height, size.width};
    }
    return size;
}

std::string ScaledPictureBytes(const std::filesystem::path& file, QSize size) {
    QImageReader reader(QtPath(file));
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QByteArray format = WritableFormat(reader);
    if (format.isEmpty() || size.isEmpty()) {
        return {};
    }
    const QImage image = ReadScaled(reader, size);
    if (image.isNull() || image.size() != size) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpeg" || format == "jpg") {
        writer.setQuality(kJpegQuality);
    }
    if (!writer.write(image)) {
        return {};
    }
    return bytes.toStdString();
}

} // namespace penrica
