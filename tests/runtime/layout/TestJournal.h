#pragma once

#include <QStringList>

// What the test components did, in order, across all of them.
class TTestJournal
{
public:
    static void Add(const QString &entry);
    // The entries so far; the journal is empty afterwards.
    static QStringList Take();
};
