#pragma once

#include "tracel/Recordset.h"

#include <memory>
#include <vector>

namespace tracel {

// A recordset held in memory, for programs and tests that have no database at
// hand. Chapter fields hold their child recordset.
class MemoryRecordset final : public Recordset {
public:
    struct Field {
        QString name;
        long type = 0;
        QString value;
        std::shared_ptr<MemoryRecordset> chapter;
    };
    using Record = std::vector<Field>;

    MemoryRecordset(QString connectionString, QString source, std::vector<Record> records = {});

    void addRecord(Record record);
    // A field of any type other than a chapter.
    static Field makeField(QString name, long type, QString value);
    static Field makeChapter(QString name, std::shared_ptr<MemoryRecordset> rows);

    QString connectionString() const override { return connectionString_; }
    QString source() const override { return source_; }
    bool eof() const override { return current_ >= records_.size(); }
    void moveNext() override;
    int fieldCount() const override;
    RecordsetField field(int index) const override;

private:
    QString connectionString_;
    QString source_;
    std::vector<Record> records_;
    std::size_t current_ = 0;
};

}  // namespace tracel
