#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zurval {

// The recordings the archive keeps: each reading's file as it was added, compressed (the frame
// ring of a lightly used crane is mostly zeros), and the hash that tells readings apart.

// The SHA-256 of the recorder's memory and its stored sum, hexadecimal: the same memory read
// twice is one reading, whatever the operator typed afterwards or the device added after it.
[[nodiscard]] QByteArray imageSha256(const QByteArray& fileBytes);

// A zstd frame of the bytes.
[[nodiscard]] QByteArray packRecording(const QByteArray& fileBytes);
// The bytes again; nullopt when packed is no frame or is damaged.
[[nodiscard]] std::optional<QByteArray> unpackRecording(const QByteArray& packed);

// The whole file as it lies on disk; nullopt and *error when it cannot be read.
[[nodiscard]] std::optional<QByteArray> readWholeFile(const QString& path, QString* error);

} // namespace zurval
