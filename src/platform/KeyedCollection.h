#pragma once

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace platform {

// An ordered collection of shared objects under string keys, with the
// semantics the course model relies on: items keep their insertion order, keys
// are compared without regard to case, adding an existing key fails and records
// nothing, looking up a missing key or position gives null. Positions are 1-based.
template <typename T>
class KeyedCollection {
public:
    using Pointer = std::shared_ptr<T>;

    int count() const { return int(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }

    // False, with nothing recorded, when the key is already present or the item is null.
    bool add(const QString& key, Pointer item)
    {
        if (!item)
            return false;
        const QString folded = fold(key);
        if (index_.contains(folded))
            return false;
        index_.insert(folded, item);
        entries_.push_back({key, std::move(item)});
        return true;
    }

    bool contains(const QString& key) const { return index_.contains(fold(key)); }

    Pointer item(const QString& key) const { return index_.value(fold(key)); }

    Pointer at(int position) const
    {
        if (position < 1 || position > count())
            return nullptr;
        return entries_[std::size_t(position - 1)].item;
    }

    // The key as it was given to add.
    QString keyAt(int position) const
    {
        if (position < 1 || position > count())
            return {};
        return entries_[std::size_t(position - 1)].key;
    }

    bool remove(const QString& key)
    {
        const QString folded = fold(key);
        if (!index_.remove(folded))
            return false;
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (fold(it->key) == folded) {
                entries_.erase(it);
                break;
            }
        }
        return true;
    }

    bool removeAt(int position)
    {
        if (position < 1 || position > count())
            return false;
        const auto it = entries_.begin() + (position - 1);
        index_.remove(fold(it->key));
        entries_.erase(it);
        return true;
    }

    void clear()
    {
        entries_.clear();
        index_.clear();
    }

    // The items in insertion order; a copy, so that callers may change the
    // collection while they walk it.
    std::vector<Pointer> items() const
    {
        std::vector<Pointer> result;
        result.reserve(entries_.size());
        for (const Entry& entry : entries_)
            result.push_back(entry.item);
        return result;
    }

private:
    struct Entry {
        QString key;
        Pointer item;
    };

    static QString fold(const QString& key) { return key.toCaseFolded(); }

    std::vector<Entry> entries_;
    QHash<QString, Pointer> index_;
};

}  // namespace platform
