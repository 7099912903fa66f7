// The system beep. Every beep of the editor goes through beep(), so that tests
// can replace the sound with a counter.
#pragma once
#include <functional>

namespace orv {

void beep();
// Replaces the sound (an empty function restores it); returns the previous hook.
std::function<void()> setBeepHook(std::function<void()> hook);

}  // namespace orv
