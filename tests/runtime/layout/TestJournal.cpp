#include "tests/runtime/layout/TestJournal.h"

#include <utility>

namespace {

QStringList &entries()
{
    static QStringList journal;
    return journal;
}

} // namespace

void TTestJournal::Add(const QString &entry)
{
    entries() << entry;
}

QStringList TTestJournal::Take()
{
    return std::exchange(entries(), {});
}
