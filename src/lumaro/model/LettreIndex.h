#pragma once

#include "platform/KeyedCollection.h"

#include <QString>

#include <memory>

namespace lumaro {

class EntreeIndex;

// A letter of the alphabetical index and the entries filed under it, keyed
// "Entree" & identifier in the order they were added.
class LettreIndex {
public:
    LettreIndex() = default;
    LettreIndex(const LettreIndex&) = delete;
    LettreIndex& operator=(const LettreIndex&) = delete;

    bool Visible() const { return visible_; }
    void Visible(bool visible) { visible_ = visible; }
    QString Lettre() const { return lettre_; }
    void Lettre(const QString& lettre) { lettre_ = lettre; }

    // Null when no entry of that identifier is filed here.
    std::shared_ptr<lumaro::EntreeIndex> EntreeIndexById(long ilIdEntree) const;
    // 1-based; null outside 1..NbEntreeIndex.
    std::shared_ptr<lumaro::EntreeIndex> EntreeIndexByIndex(long ilIndex) const;
    long NbEntreeIndex() const { return entrees_.count(); }

    // Used by the index. An entry whose identifier is already filed here is refused.
    bool addEntree(std::shared_ptr<lumaro::EntreeIndex> entree);
    // Whether one of the entries is visible; the mask computation shows the letter then.
    bool hasVisibleEntree() const;

private:
    bool visible_ = false;
    QString lettre_;
    platform::KeyedCollection<lumaro::EntreeIndex> entrees_;
};

}  // namespace lumaro
