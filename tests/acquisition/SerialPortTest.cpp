#include "core/acquisition/PosixSerialPort.h"

#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

using namespace zurval;

namespace {

// Sets an environment variable for the life of the object.
struct ScopedEnv {
    ScopedEnv(const char* name, const QString& value) : name_(name) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { qunsetenv(name_); }
    const char* name_;
};

// A pseudo-terminal: the device side is a terminal like a serial port.
struct Pty {
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_GE(master, 0);
        EXPECT_EQ(::grantpt(master), 0);
        EXPECT_EQ(::unlockpt(master), 0);
        path = QString::fromLocal8Bit(::ptsname(master));
    }
    ~Pty() { ::close(master); }
    int master = -1;
    QString path;
};

} // namespace

TEST(PortDevicePath, PortNumbersMapToBoardThenUsbPortsUnlessTheEnvironmentSaysOtherwise) {
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM2", "/dev/ttyS1"},
        {"\\\\.\\COM4", "/dev/ttyS3"},
        {"\\\\.\\COM5", "/dev/ttyUSB0"},
        {"\\\\.\\COM9", "/dev/ttyUSB4"},
        {"\\\\.\\COM10", "/dev/ttyACM0"},
        {"\\\\.\\COM14", "/dev/ttyACM4"},
        {"\\\\.\\COM0", ""},
        {"COM15", ""},
        {"COM01", ""},
        {"LPT1", ""},
        {"\\\\.\\COM", ""},
    };
    for (const auto& [name, path] : cases)
        EXPECT_EQ(portDevicePath(name), path) << name;

    const ScopedEnv com3("ZURVAL_COM3", "/dev/pts/9");
    const ScopedEnv com0("ZURVAL_COM0", "/dev/pts/4");
    EXPECT_EQ(portDevicePath("COM3"), "/dev/pts/9");
    EXPECT_EQ(portDevicePath("\\\\.\\COM3"), "/dev/pts/9");
    EXPECT_EQ(portDevicePath("\\\\.\\COM0"), "/dev/pts/4");
}

TEST(PosixSerialPort, OpensOnlyAnExistingTerminalAndOnlyOnce) {
    Pty pty;
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const ScopedEnv com1("ZURVAL_COM1", pty.path);
    const ScopedEnv com2("ZURVAL_COM2", plain.fileName());
    const ScopedEnv com3("ZURVAL_COM3", dir.filePath("missing"));

    PosixSerialPort first, second, other;
    ASSERT_TRUE(first.open("COM1"));
    EXPECT_FALSE(second.open("COM1"));
    EXPECT_FALSE(other.open("COM2"));
    EXPECT_FALSE(other.open("COM3"));
    first.close();
    EXPECT_TRUE(second.open("COM1"));

    EXPECT_FALSE(other.open("LPT1"));

    // A closed port fails every call.
    LineSettings line;
    Timeouts timeouts;
    std::uint8_t byte = 0;
    EXPECT_FALSE(first.getLine(line));
    EXPECT_FALSE(first.setLine(line));
    EXPECT_FALSE(first.getTimeouts(timeouts));
    EXPECT_FALSE(first.setTimeouts(timeouts));
    EXPECT_FALSE(first.purge());
    EXPECT_EQ(first.writeByte(0x02), 0);
    EXPECT_EQ(first.readByte(byte), 0);
}

TEST(PosixSerialPort, AppliesTheDeviceLineBinaryAndPutsTheOwnSettingsBack) {
    Pty pty;
    const ScopedEnv com1("ZURVAL_COM1", pty.path);
    PosixSerialPort port;
    ASSERT_TRUE(port.open("COM1"));
    LineSettings own;
    ASSERT_TRUE(port.getLine(own));
    LineSettings device = own;
    device.baudRate = 115200;
    device.parity = Parity::Even;
    device.stopBits = StopBits::Two;
    ASSERT_TRUE(port.setLine(device));

    termios t{};
    const int fd = ::open(pty.path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B115200);
    // A pseudo-terminal keeps no parity (it always reads 8N); the stop bits it keeps.
    EXPECT_EQ(t.c_cflag & (CSIZE | CSTOPB), tcflag_t(CS8 | CSTOPB));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | ICRNL | INPCK | IGNPAR | PARMRK | ISTRIP), 0u);

    LineSettings back;
    ASSERT_TRUE(port.getLine(back));
    EXPECT_EQ(back.baudRate, 115200u);
    EXPECT_EQ(back.stopBits, StopBits::Two);
    ASSERT_TRUE(port.setLine(own));
    ASSERT_TRUE(port.getLine(back));
    EXPECT_EQ(back.baudRate, own.baudRate);
    EXPECT_EQ(back.stopBits, StopBits::One);
    ::close(fd);
}
