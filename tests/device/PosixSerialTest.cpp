// The native back end on a pseudo-terminal: open, line settings, bytes both ways, a clean
// close. A pseudo-terminal has no modem lines, so no DSR change ever comes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "core/VirtualEventLoop.h"
#include "device/PosixSerial.h"

namespace {

class PosixSerialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[256];
    ASSERT_EQ(openpty(&Master, &Slave, name, nullptr, nullptr), 0);
    SlaveName = name;
  }
  void TearDown() override {
    close(Slave);
    close(Master);
  }
  int Master = -1, Slave = -1;
  std::string SlaveName;
  TVirtualEventLoop Loop;
  TPosixSerialProvider Provider{Loop, [this] { return std::vector<std::string>{SlaveName}; }};
};

TEST_F(PosixSerialTest, OpensConfiguresAndCarriesBytesBothWays) {
  EXPECT_EQ(Provider.PortNames(), std::vector<std::string>{SlaveName});
  auto port = Provider.CreatePort();
  std::string error;
  ASSERT_TRUE(port->Open(SlaveName, TLineSettings{}, error)) << error;
  EXPECT_TRUE(port->IsOpen());

  // The line is raw, 57600 baud, 8 data bits, no parity, one stop bit, no flow control.
  termios tio{};
  ASSERT_EQ(tcgetattr(Slave, &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), B57600);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
  EXPECT_EQ(tio.c_lflag & ICANON, 0u);

  for (uint8_t b : {0x00, 0x21, 0xFF}) EXPECT_TRUE(port->WriteByte(b));
  uint8_t got[8] = {};
  ssize_t n = 0;
  for (int i = 0; i < 100 && n < 3; ++i) {
    const ssize_t r = read(Master, got + n, sizeof got - static_cast<size_t>(n));
    if (r > 0) n += r;
    else usleep(1000);
  }
  ASSERT_EQ(n, 3);
  EXPECT_EQ(got[1], 0x21);
  EXPECT_EQ(got[2], 0xFF);

  uint8_t none[4];
  EXPECT_EQ(port->Read(none, sizeof none), 0u);  // nothing has arrived: no wait
  const uint8_t frame[] = {0x55, 0x00, 0x04, 0x01, 0x03};
  ASSERT_EQ(write(Master, frame, sizeof frame), static_cast<ssize_t>(sizeof frame));
  usleep(20000);
  uint8_t buffer[25] = {};
  EXPECT_EQ(port->Read(buffer, 3), 3u);
  EXPECT_EQ(buffer[0], 0x55);
  port->DiscardInput();
  usleep(5000);
  EXPECT_EQ(port->Read(buffer, sizeof buffer), 0u);

  port->Close();
  EXPECT_FALSE(port->IsOpen());
  EXPECT_FALSE(port->WriteByte(1));
  // A second open of the same line works after the close.
  ASSERT_TRUE(port->Open(SlaveName, TLineSettings{}, error)) << error;
}

TEST_F(PosixSerialTest, MissingPortIsAClearError) {
  auto port = Provider.CreatePort();
  std::string error;
  EXPECT_FALSE(port->Open("/dev/no-such-serial-port", TLineSettings{}, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(port->IsOpen());
}

}  // namespace
