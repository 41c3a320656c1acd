// The baud rate the program set on a pseudo-terminal, read from the master side.
//
// Linux keeps one termios per pty pair that both ends see; TCGETS2 on the master returns the
// slave's settings including the numeric rate in c_ospeed. That also covers rates without a
// Bxxx constant: QSerialPort sets 250000 through TCSETS2 with BOTHER, and the plain termios
// call would then only report BOTHER. The kernel fills c_ospeed for standard rates as well,
// so 230400 set through cfsetspeed(B230400) reads back as 230400.
//
// This file includes the kernel's termios definitions, which clash with <termios.h>; it is
// therefore kept apart from everything else.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cstdint>

namespace vireo
{

std::uint32_t ptyBaudRate(int fd)
{
    struct termios2 tio {
    };
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return 0;
    return tio.c_ospeed;
}

} // namespace vireo
