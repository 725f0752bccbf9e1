#include "core/acquisition/ReceiveStream.h"

#include <algorithm>
#include <cstring>

namespace zurval {

void ReceiveBuffer::dropFront(std::size_t n) {
    n = std::min(n, bytes_.size());
    std::memmove(bytes_.data(), bytes_.data() + n, bytes_.size() - n);
    std::fill(bytes_.end() - static_cast<std::ptrdiff_t>(n), bytes_.end(), 0);
}

int receiveStream(SerialPort& port, ReceiveBuffer& buffer, int startWriteCount,
                  const std::function<bool(int readCounter)>& afterRead) {
    int readCounter = 0;
    int lastCount = startWriteCount;
    while (lastCount != 0) {
        if (static_cast<std::size_t>(readCounter) == buffer.size())
            return readCounter + 1;
        std::uint8_t byte = 0;
        lastCount = port.readByte(byte);
        if (lastCount == 1)
            buffer.data()[readCounter] = byte;
        ++readCounter;
        if (!afterRead(readCounter))
            break;
    }
    return readCounter;
}

} // namespace zurval
