#include "MemoryRecordset.h"

namespace tracel {

MemoryRecordset::MemoryRecordset(QString connectionString, QString source, std::vector<Record> records)
    : connectionString_(std::move(connectionString)), source_(std::move(source)), records_(std::move(records))
{
}

void MemoryRecordset::addRecord(Record record)
{
    records_.push_back(std::move(record));
}

MemoryRecordset::Field MemoryRecordset::makeField(QString name, long type, QString value)
{
    return Field{std::move(name), type, std::move(value), nullptr};
}

MemoryRecordset::Field MemoryRecordset::makeChapter(QString name, std::shared_ptr<MemoryRecordset> rows)
{
    return Field{std::move(name), adChapter, QString(), std::move(rows)};
}

void MemoryRecordset::moveNext()
{
    if (!eof())
        ++current_;
}

int MemoryRecordset::fieldCount() const
{
    return eof() ? 0 : static_cast<int>(records_[current_].size());
}

RecordsetField MemoryRecordset::field(int index) const
{
    if (index < 0 || index >= fieldCount())
        return {};
    const Field& f = records_[current_][static_cast<std::size_t>(index)];
    return RecordsetField{f.name, f.type, f.value, f.chapter.get()};
}

}  // namespace tracel
