#pragma once

// What the reading engine hands an element hook for one start or end tag.

#include <QString>
#include <QStringList>

class CCrxDb;
class CrxAttributes;
class CCrxElement;

struct CrxParseContext
{
    // Attributes of the start tag; nullptr for an end tag.
    const CrxAttributes* attributes = nullptr;
    // The current element's context string (the table its subtree works on)
    // and database-name string; children copy them and may write them back.
    QString* contextString = nullptr;
    QString* dbNameString = nullptr;
    // The database named by the database-name string.
    CCrxDb* db = nullptr;
    int importMode = 0;
    int allTables = 1;
    // The table selection, or nullptr (every table).
    const QStringList* tableSelection = nullptr;

    // Out: the element to push, or nullptr.
    CCrxElement* push = nullptr;
    // Out: the current element ended.
    bool pop = false;
};
