// The serial port class of the system this program is built for, under one
// name for the code that opens a real port (the editor, the command-line
// tool): a terminal device on POSIX systems, a communications port on
// Windows.
#pragma once
#include "platform/SerialPortLine.h"

#ifdef _WIN32
#include "platform/win32/Win32SerialPort.h"
namespace orv {
using NativeSerialPort = Win32SerialPort;
}
#else
#include "platform/posix/PosixSerialPort.h"
namespace orv {
using NativeSerialPort = PosixSerialPort;
}
#endif
