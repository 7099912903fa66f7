// The termios speed constants and the line speeds in bit/s they stand for:
// one table for the serial port (which sets a speed) and the simulated radio
// (which reads the speed its client set on the pseudo-terminal).
#pragma once
#include <termios.h>

namespace orv::platform {

struct TermiosSpeed {
    int baud;
    speed_t constant;
};

inline constexpr TermiosSpeed kTermiosSpeeds[] = {
    {50, B50},       {75, B75},       {110, B110},     {134, B134},       {150, B150},
    {200, B200},     {300, B300},     {600, B600},     {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},   {9600, B9600},   {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400},
};

// The constant for `baud` bit/s, B0 when the table has none.
inline speed_t termiosSpeed(int baud) {
    for (const TermiosSpeed& s : kTermiosSpeeds)
        if (s.baud == baud) return s.constant;
    return B0;
}

// The bit/s a constant stands for, 0 when unknown.
inline int baudOfTermiosSpeed(speed_t constant) {
    for (const TermiosSpeed& s : kTermiosSpeeds)
        if (s.constant == constant) return s.baud;
    return 0;
}

}  // namespace orv::platform
