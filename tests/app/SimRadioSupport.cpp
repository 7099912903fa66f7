#include "SimRadioSupport.h"

#include <QSettings>
#include "app/QtHost.h"

namespace orv::test {

// ------------------------------------------------------------------ SimRadio

SimRadio::SimRadio(SimOptions options) : sim(options) {
    sim.start();
    auto s = appSettings();
    s->setValue(QStringLiteral("Comm/Device1"), QString::fromStdString(sim.devicePath()));
    s->setValue(QStringLiteral("Comm/Port"), QStringLiteral("1"));
}

SimRadio::~SimRadio() { sim.stop(); }

std::vector<SimRadio::Masked> SimRadio::maskedWrites() const {
    // Walk the request stream frame by frame, so that data bytes of a block
    // write are never mistaken for a frame.
    const std::vector<uint8_t> in = sim.received();
    std::vector<Masked> out;
    std::size_t i = 0;
    while (i < in.size()) {
        switch (in[i]) {
        case 0xD4: i += 2 + 32; break;
        case 0xD1:
            if (i + 4 < in.size()) out.push_back({in[i + 1] * 256 + in[i + 2], in[i + 3], in[i + 4]});
            i += 5;
            break;
        case 0xC6:
        case 0x05: i += 2; break;
        default: i += 1; break;
        }
    }
    return out;
}

WhenReceived::WhenReceived(const RadioSim& sim, long bytes, std::function<void()> action)
    : timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(1);
    QObject::connect(timer_.get(), &QTimer::timeout, [this, &sim, bytes, action = std::move(action)] {
        if (fired_ || sim.receivedCount() < bytes) return;
        fired_ = true;
        timer_->stop();
        action();
    });
    timer_->start();
}

WhenReceived::~WhenReceived() = default;

}  // namespace orv::test
