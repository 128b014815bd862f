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

QImage ReadBounded(QImageReader& reader) {
    QSize size = reader.size();
    if (size.isValid() &&
        (size.width() > kLargestDecodedSide || size.height() > kLargestDecodedSide)) {
        reader.setScaledSize(
            size.scaled(kLargestDecodedSide, kLargestDecodedSide, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    return image;
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
    reader.setScaledSize(size);
    return reader.read();
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

std::string ScaledPictureBytes(const std::filesystem::path& file, QSize size) {
    QImageReader reader(QtPath(file));
    reader.setDecideFormatFromContent(true);
    const QByteArray format = WritableFormat(reader);
    if (format.isEmpty() || size.isEmpty()) {
        return {};
    }
    reader.setScaledSize(size);
    const QImage image = reader.read();
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
