#include "runtime/ProcessState.h"

#include <vector>

namespace {

struct TEnrolment
{
    ProcessState::TDestroy destroy;
    bool stopsWithApplication;
};

// Leaked on purpose, like the states it lists: it must outlive every static destructor.
std::vector<TEnrolment> &Enrolments()
{
    static auto *enrolments = new std::vector<TEnrolment>;
    return *enrolments;
}

} // namespace

void ProcessState::Enrol(TDestroy destroy, bool stopsWithApplication)
{
    Enrolments().push_back({destroy, stopsWithApplication});
}

// By index, newest first: destroying one state may make another on first use, which enrols it.
void ProcessState::ResetAll()
{
    for (std::size_t i = Enrolments().size(); i-- > 0;)
        Enrolments()[i].destroy();
}

void ProcessState::StopServices()
{
    for (std::size_t i = Enrolments().size(); i-- > 0;)
        if (Enrolments()[i].stopsWithApplication)
            Enrolments()[i].destroy();
}
