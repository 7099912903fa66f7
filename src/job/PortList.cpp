#include "job/PortList.h"

#include <algorithm>

namespace orv {

std::string portTable(const std::vector<SerialPortInfo>& ports) {
    struct Row { std::string device, stable, what, access; };
    std::vector<Row> rows{{"DEVICE", "STABLE NAME", "ADAPTER", "MAY OPEN"}};
    for (const auto& p : ports) rows.push_back({p.device, p.stableName.empty() ? "-" : p.stableName, p.description(), p.access});
    std::size_t w[3] = {0, 0, 0};
    for (const Row& r : rows) {
        w[0] = std::max(w[0], r.device.size());
        w[1] = std::max(w[1], r.stable.size());
        w[2] = std::max(w[2], r.what.size());
    }
    auto pad = [](const std::string& s, std::size_t n) { return s + std::string(n - s.size() + 2, ' '); };
    std::string t;
    for (const Row& r : rows) t += pad(r.device, w[0]) + pad(r.stable, w[1]) + pad(r.what, w[2]) + r.access + "\n";
    return t;
}

}  // namespace orv
