#include "platform/SerialPortList.h"

namespace orv {

std::string SerialPortInfo::description() const {
    std::string d = manufacturer;
    if (!product.empty()) d += (d.empty() ? "" : " ") + product;
    if (!serialNumber.empty()) d += (d.empty() ? "" : " ") + std::string("(serial ") + serialNumber + ")";
    return d.empty() ? transport : d;
}

}  // namespace orv
