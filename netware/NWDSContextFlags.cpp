#include "netware/NWDSContextFlags.h"

#include <array>
#include <utility>

#include "netware/Nwnds.h"

TNWDSContextFlags::TNWDSContextFlags(std::function<bool()> servicesRunning, QObject *parent)
    : QObject(parent), m_servicesRunning(std::move(servicesRunning))
{}

void TNWDSContextFlags::SetDereferenceAliases(bool value)
{
    Write(m_dereferenceAliases, value, kNWDSDereferenceAliases);
}

void TNWDSContextFlags::SetTranslateStrings(bool value)
{
    Write(m_translateStrings, value, kNWDSTranslateStrings);
}

void TNWDSContextFlags::SetTypelessNames(bool value)
{
    Write(m_typelessNames, value, kNWDSTypelessNames);
}

void TNWDSContextFlags::SetAsyncMode(bool value)
{
    Write(m_asyncMode, value, kNWDSAsyncMode);
}

void TNWDSContextFlags::SetCanonicalizeNames(bool value)
{
    Write(m_canonicalizeNames, value, kNWDSCanonicalizeNames);
}

void TNWDSContextFlags::SetDereferenceBaseClass(bool value)
{
    Write(m_dereferenceBaseClass, value, kNWDSDereferenceBaseClass);
}

void TNWDSContextFlags::SetDisallowReferrals(bool value)
{
    Write(m_disallowReferrals, value, kNWDSDisallowReferrals);
}

void TNWDSContextFlags::ApplyTrueFlags() const
{
    const std::array<std::pair<bool, uint32_t>, 7> flags{{
        {m_typelessNames, kNWDSTypelessNames},
        {m_dereferenceAliases, kNWDSDereferenceAliases},
        {m_translateStrings, kNWDSTranslateStrings},
        {m_asyncMode, kNWDSAsyncMode},
        {m_canonicalizeNames, kNWDSCanonicalizeNames},
        {m_dereferenceBaseClass, kNWDSDereferenceBaseClass},
        {m_disallowReferrals, kNWDSDisallowReferrals},
    }};
    for (const auto &[on, flag] : flags)
        if (on)
            SetContextFlag(flag);
}

// Every write reaches a running context, even one that leaves the switch as it was.
void TNWDSContextFlags::Write(bool &field, bool value, uint32_t flag)
{
    field = value;
    if (!m_servicesRunning())
        return;
    if (value)
        SetContextFlag(flag);
    else
        ClearContextFlag(flag);
}
