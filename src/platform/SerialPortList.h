// The serial ports of this machine as a person chooses among them: the
// device, its stable name where the system gives one (/dev/serial/by-id),
// what the adapter says of itself, and whether this user may open it (and if
// not, what to do). Each system lists them its own way (libserialport on
// Linux, the registry's SERIALCOMM key on Windows); the fields are the same.
#pragma once
#include <string>
#include <vector>

namespace orv {

struct SerialPortInfo {
    std::string device;        // the device to open, e.g. /dev/ttyUSB0 or COM5
    std::string stableName;    // a name that survives replugging, or empty
    std::string transport;     // "USB", "Bluetooth", "built-in"
    std::string manufacturer;  // USB adapters: what the adapter reports
    std::string product;
    std::string serialNumber;
    int vendorId = -1;         // USB adapters: the two IDs a udev rule names
    int productId = -1;
    bool mayOpen = false;      // this user may read and write the device
    std::string access;        // "yes", or why not and what to do

    // "maker product (serial S)" as far as the adapter tells, else the transport.
    std::string description() const;
};

// A port's name on this system as help texts give it: "/dev/ttyUSB0", "COM3".
std::string examplePortName();

// The number of port slots the editor offers ("Use Comm Port 1" to 4), and
// the device of slot n (1..4) before the user chose one: the usual names of
// this system's first USB adapters and built-in ports.
inline constexpr int kPortSlots = 4;
std::string defaultSlotDevice(int slot);

// The ports found, sorted by device name.
std::vector<SerialPortInfo> listSerialPorts();

// Whether this user may open `device`, for a port the list does not hold
// (a typed path, a simulator's pseudo-terminal): "yes", or why not.
std::string deviceAccess(const std::string& device, bool& mayOpen);

}  // namespace orv
