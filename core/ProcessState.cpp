#include "core/ProcessState.h"

#include <vector>

namespace ProcessState {

namespace {
std::vector<std::function<void()>>& hooks() {
    static std::vector<std::function<void()>> h;
    return h;
}
} // namespace

void addResetHook(std::function<void()> hook) {
    hooks().push_back(std::move(hook));
}

void runResetHooks() {
    for (const auto& h : hooks())
        h();
}

} // namespace ProcessState
