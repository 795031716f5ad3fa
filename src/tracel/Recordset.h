#pragma once

#include <QString>

namespace tracel {

class Recordset;

// ADO data type numbers the recordset dump tells apart.
enum AdoDataType : long {
    adChapter = 136,
    adLongVarWChar = 203,
};

// One field of the current record: its ADO type number, and for a chapter
// field the recordset of its child rows (owned by the recordset that gave it,
// valid while that record stays current).
struct RecordsetField {
    QString name;
    long type = 0;
    QString value;
    Recordset* chapter = nullptr;
};

// A forward-only view of a table, as the trace library dumps it: where it
// comes from, and its records one after the other.
class Recordset {
public:
    virtual ~Recordset() = default;

    // Connection string of the connection the records come from.
    virtual QString connectionString() const = 0;
    // The command or table that produced the records.
    virtual QString source() const = 0;

    // True once the cursor has passed the last record (at once when there is none).
    virtual bool eof() const = 0;
    // Moves to the next record; does nothing at the end.
    virtual void moveNext() = 0;

    // Fields of the current record, in order; none at the end.
    virtual int fieldCount() const = 0;
    virtual RecordsetField field(int index) const = 0;
};

}  // namespace tracel
