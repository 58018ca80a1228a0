#pragma once

#include <cstdint>

#include <QString>

// The completion codes a service unit keeps: the result of its most recent client call, success included,
// and the most recent failure, which stays until the next one.
struct TNWResultCodes
{
    // The layer's own codes: a library file that did not load, and an entry point that is missing or a call
    // that gave no result.
    static constexpr uint32_t kLibraryMissing = 0xFFFF;
    static constexpr uint32_t kNoResult = 0xFFFFFFFF;

    uint32_t lastResult = 0;
    uint32_t lastError = 0;

    // Keeps result as the last result and, when it is a failure, as the last error; returns it.
    uint32_t Record(uint32_t result);
    QString ErrorText() const { return Text(lastError); }

    // Upper-case hexadecimal with at least four digits.
    static QString Text(uint32_t code);
};
