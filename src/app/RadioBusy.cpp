#include "app/RadioBusy.h"


namespace orv {

RadioBusy::Exchange& RadioBusy::Exchange::operator=(Exchange&& o) noexcept {
    if (this != &o) {
        release();
        owner_ = o.owner_;
        o.owner_ = nullptr;
    }
    return *this;
}

void RadioBusy::Exchange::release() {
    if (owner_) {
        RadioBusy* owner = owner_;
        owner_ = nullptr;
        owner->setBusy(false);
    }
}

RadioBusy::Exchange RadioBusy::begin() {
    if (busy_) {
        if (refuse_) refuse_();
        return Exchange();
    }
    setBusy(true);
    return Exchange(this);
}

RadioBusy::Hold RadioBusy::hold() {
    Exchange e = begin();
    if (!e) return nullptr;
    return std::make_shared<Exchange>(std::move(e));
}

void RadioBusy::setBusy(bool b) {
    if (busy_ == b) return;
    busy_ = b;
    emit busyChanged(b);
}

}  // namespace orv
