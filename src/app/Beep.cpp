#include "app/Beep.h"

#include <QApplication>

namespace orv {

namespace {
std::function<void()>& hookRef() {
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void beep() {
    if (hookRef())
        hookRef()();
    else
        QApplication::beep();
}

std::function<void()> setBeepHook(std::function<void()> hook) {
    auto old = std::move(hookRef());
    hookRef() = std::move(hook);
    return old;
}

}  // namespace orv
