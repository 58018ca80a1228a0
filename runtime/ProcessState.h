#pragma once

#include <type_traits>
#include <utility>

// State that the whole process shares: a unit's completion codes, the class registry, a cache, a service.
// One instance is made on first use, on the GUI thread. Nothing here is destroyed by a static destructor
// after main: a state lives until the process ends, except one that declares
// `static constexpr bool kStopsWithApplication = true` (it owns a thread, say), which the application
// object destroys as it goes, while the rest of the program still stands.
namespace ProcessState {

using TDestroy = void (*)();

// Every state made so far, newest first, back to a fresh start; the next use makes it anew. Tests call it
// so that no test sees what an earlier one left behind.
void ResetAll();
// Destroys the states that stop with the application object; its destructor calls this.
void StopServices();

// Called by TProcessState once per state type, when its first instance is made.
void Enrol(TDestroy destroy, bool stopsWithApplication);

} // namespace ProcessState

template <class State> class TProcessState
{
public:
    static State &Instance();
    // Drops the instance; the next Instance() makes a fresh one.
    static void Reset() { delete std::exchange(s_instance, nullptr); }

private:
    static constexpr bool StopsWithApplication()
    {
        if constexpr (requires { State::kStopsWithApplication; })
            return State::kStopsWithApplication;
        else
            return false;
    }

    static inline State *s_instance = nullptr;
    static inline bool s_enrolled = false;
};

template <class State> State &TProcessState<State>::Instance()
{
    if (!s_instance) {
        s_instance = new State();
        if (!std::exchange(s_enrolled, true))
            ProcessState::Enrol(&Reset, StopsWithApplication());
    }
    return *s_instance;
}
