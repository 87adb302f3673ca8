// Units with process-wide state of their own (protocol results, link state, program
// settings) register a reset here, so that ResetProcessState() reaches all of them without
// the tables knowing the units above them.
#pragma once

#include <functional>

namespace ProcessState {

void addResetHook(std::function<void()> hook);
void runResetHooks();

// Registers a reset at static initialisation: `static ProcessState::Registrar r(&fn);`
struct Registrar {
    explicit Registrar(void (*fn)()) { addResetHook(fn); }
};

} // namespace ProcessState
