#pragma once

#include <cstdint>
#include <functional>

#include <QObject>

// The directory context's flags as seven switches. A write goes to the context itself while directory
// services run; otherwise it is only kept, to be applied when they start.
class TNWDSContextFlags : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TNWDSContextFlags)
    Q_PROPERTY(bool DereferenceAliases READ DereferenceAliases WRITE SetDereferenceAliases)
    Q_PROPERTY(bool TranslateStrings READ TranslateStrings WRITE SetTranslateStrings)
    Q_PROPERTY(bool TypelessNames READ TypelessNames WRITE SetTypelessNames)
    Q_PROPERTY(bool AsyncMode READ AsyncMode WRITE SetAsyncMode)
    Q_PROPERTY(bool CanonicalizeNames READ CanonicalizeNames WRITE SetCanonicalizeNames)
    Q_PROPERTY(bool DereferenceBaseClass READ DereferenceBaseClass WRITE SetDereferenceBaseClass)
    Q_PROPERTY(bool DisallowReferrals READ DisallowReferrals WRITE SetDisallowReferrals)

public:
    // servicesRunning tells whether a write should reach the context.
    explicit TNWDSContextFlags(std::function<bool()> servicesRunning, QObject *parent = nullptr);

    bool DereferenceAliases() const { return m_dereferenceAliases; }
    void SetDereferenceAliases(bool value);
    bool TranslateStrings() const { return m_translateStrings; }
    void SetTranslateStrings(bool value);
    bool TypelessNames() const { return m_typelessNames; }
    void SetTypelessNames(bool value);
    bool AsyncMode() const { return m_asyncMode; }
    void SetAsyncMode(bool value);
    bool CanonicalizeNames() const { return m_canonicalizeNames; }
    void SetCanonicalizeNames(bool value);
    bool DereferenceBaseClass() const { return m_dereferenceBaseClass; }
    void SetDereferenceBaseClass(bool value);
    bool DisallowReferrals() const { return m_disallowReferrals; }
    void SetDisallowReferrals(bool value);

    // Adds every switched-on flag to the context, as directory services start.
    void ApplyTrueFlags() const;

private:
    void Write(bool &field, bool value, uint32_t flag);

    std::function<bool()> m_servicesRunning;
    bool m_dereferenceAliases = true;
    bool m_translateStrings = true;
    bool m_typelessNames = false;
    bool m_asyncMode = false;
    bool m_canonicalizeNames = true;
    bool m_dereferenceBaseClass = false;
    bool m_disallowReferrals = false;
};
