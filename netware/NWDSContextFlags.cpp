#include "netware/NWDSContextFlags.h"

#include <array>
#include <utility>

#include "netware/Nwnds.h"

TNWDSContextFlags::TNWDSContextFlags(std::function<bool()> servicesRunning, QObject *parent)
    : QObject(parent), m_servicesRunning(std::move(servicesRunning))
{}

void TNWDSContextFlags::SetDereferenceAliases(bool value)
{
    Write(m_dereferenceAliases, value, NWDSDereferenceAliases);
}

void TNWDSContextFlags::SetTranslateStrings(bool value)
{
    Write(m_translateStrings, value, NWDSTranslateStrings);
}

void TNWDSContextFlags::SetTypelessNames(bool value)
{
    Write(m_typelessNames, value, NWDSTypelessNames);
}

void TNWDSContextFlags::SetAsyncMode(bool value)
{
    Write(m_asyncMode, value, NWDSAsyncMode);
}

void TNWDSContextFlags::SetCanonicalizeNames(bool value)
{
    Write(m_canonicalizeNames, value, NWDSCanonicalizeNames);
}

void TNWDSContextFlags::SetDereferenceBaseClass(bool value)
{
    Write(m_dereferenceBaseClass, value, NWDSDereferenceBaseClass);
}

void TNWDSContextFlags::SetDisallowReferrals(bool value)
{
    Write(m_disallowReferrals, value, NWDSDisallowReferrals);
}

void TNWDSContextFlags::ApplyTrueFlags() const
{
    const std::array<std::pair<bool, uint32_t>, 7> flags{{
        {m_typelessNames, NWDSTypelessNames},
        {m_dereferenceAliases, NWDSDereferenceAliases},
        {m_translateStrings, NWDSTranslateStrings},
        {m_asyncMode, NWDSAsyncMode},
        {m_canonicalizeNames, NWDSCanonicalizeNames},
        {m_dereferenceBaseClass, NWDSDereferenceBaseClass},
        {m_disallowReferrals, NWDSDisallowReferrals},
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
