#pragma once

#include "core/acquisition/SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace zurval {

// What a transfer device sends for one recorder image, and what is kept of it: those bytes
// and one more.
constexpr std::size_t kCompleteTransfer = 0x42000;  // 270,336
constexpr std::size_t kDeviceDataLength = 0x42001;  // 270,337
constexpr std::size_t kReceiveBufferSize = 0x42040; // 270,400
// A ReadCounter of at least this many means the whole image came in.
constexpr int kCompleteReadCount = static_cast<int>(kDeviceDataLength);

// Where the received bytes go; zero-filled at the start of every read command.
class ReceiveBuffer {
public:
    ReceiveBuffer() : bytes_(kReceiveBufferSize, 0) {}
    void clear() { std::fill(bytes_.begin(), bytes_.end(), 0); }
    [[nodiscard]] std::uint8_t* data() { return bytes_.data(); }
    [[nodiscard]] const std::uint8_t* data() const { return bytes_.data(); }
    [[nodiscard]] static constexpr std::size_t size() { return kReceiveBufferSize; }
    // Drops the first n bytes, moving the rest to the front; zeros come in behind.
    void dropFront(std::size_t n);

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads one byte per call into the buffer until a read times out, and returns the count of
// read calls, the ReadCounter: the bytes received plus the final read that timed out.
// startWriteCount is the byte count of the start command's write: 0 reads nothing and
// gives 0. A device that sends more than the buffer holds is cut off once it is full, and
// the count is then the buffer's size plus 1, as if the line had gone silent there.
// afterRead gets the ReadCounter after every read; when it returns false the stream ends
// there, the count being the reads made.
[[nodiscard]] int receiveStream(SerialPort& port, ReceiveBuffer& buffer, int startWriteCount,
                                const std::function<bool(int readCounter)>& afterRead);

} // namespace zurval
