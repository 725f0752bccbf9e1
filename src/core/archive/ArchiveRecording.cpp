#include "core/archive/ArchiveRecording.h"

#include "core/recorder/FileMap.h"

#include <QFile>
#include <openssl/evp.h>
#include <zstd.h>

namespace zurval {
namespace {

// Fast enough to keep up with decoding on every core; higher levels save a few per cent.
constexpr int kZstdLevel = 1;
// A recording is about 270 KB; anything that claims to unpack to more is no recording.
constexpr unsigned long long kLargestRecording = 64ull << 20;

} // namespace

QByteArray imageSha256(const QByteArray& fileBytes) {
    // OpenSSL's SHA-256 uses the processor's own instructions: over ten times Qt's.
    const qsizetype length = std::min<qsizetype>(fileBytes.size(), filemap::kStoredImageSum + 4);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_Digest(fileBytes.constData(), static_cast<std::size_t>(length), digest, &size,
                   EVP_sha256(), nullptr) != 1)
        return {};
    return QByteArray(reinterpret_cast<const char*>(digest), static_cast<qsizetype>(size)).toHex();
}

QByteArray packRecording(const QByteArray& fileBytes) {
    QByteArray packed(static_cast<qsizetype>(ZSTD_compressBound(fileBytes.size())),
                      Qt::Uninitialized);
    const std::size_t size = ZSTD_compress(packed.data(), packed.size(), fileBytes.constData(),
                                           fileBytes.size(), kZstdLevel);
    if (ZSTD_isError(size))
        return {};
    packed.truncate(static_cast<qsizetype>(size));
    return packed;
}

std::optional<QByteArray> unpackRecording(const QByteArray& packed) {
    const unsigned long long size = ZSTD_getFrameContentSize(packed.constData(), packed.size());
    if (size == ZSTD_CONTENTSIZE_ERROR || size == ZSTD_CONTENTSIZE_UNKNOWN ||
        size > kLargestRecording)
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    const std::size_t unpacked =
        ZSTD_decompress(bytes.data(), bytes.size(), packed.constData(), packed.size());
    if (ZSTD_isError(unpacked) || unpacked != size)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> readWholeFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > static_cast<qint64>(kLargestRecording)) {
        *error = QStringLiteral("the file is too large for a recording");
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace zurval
