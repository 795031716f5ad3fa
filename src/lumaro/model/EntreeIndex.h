#pragma once

#include "platform/KeyedCollection.h"

#include <QString>

#include <memory>
#include <vector>

namespace lumaro {

class SeqThemeIndex;

// An entry of the alphabetical index: its label, its themes keyed
// "Theme" & identifier and its see-also links to other entries.
class EntreeIndex {
public:
    EntreeIndex() = default;
    EntreeIndex(const EntreeIndex&) = delete;
    EntreeIndex& operator=(const EntreeIndex&) = delete;

    bool Visible() const { return visible_; }
    void Visible(bool visible) { visible_ = visible; }
    long IdEntreeIndex() const { return idEntreeIndex_; }
    void IdEntreeIndex(long id) { idEntreeIndex_ = id; }
    QString Intitule() const { return intitule_; }
    void Intitule(const QString& intitule) { intitule_ = intitule; }

    // Null when the entry has no such theme.
    std::shared_ptr<SeqThemeIndex> ThemeById(long ilIdTheme) const;
    // 1-based; null outside 1..NbTheme.
    std::shared_ptr<SeqThemeIndex> ThemeByIndex(long ilIndex) const;
    long NbTheme() const { return themes_.count(); }
    // The visible themes as last counted by the mask computation.
    long NbThemeVisible() const { return nbThemeVisible_; }

    // The target entry identifier of a see-also link, 1-based; -1 outside 1..NbLiens.
    long LienEntree(long ilIndex) const;
    long NbLiens() const { return long(liens_.size()); }

    // Used by the index. A theme whose identifier the entry already holds is refused.
    bool addTheme(std::shared_ptr<SeqThemeIndex> theme);
    // Any target is kept, repeated or not.
    void AddLien(long ilIdEntreeCible) { liens_.push_back(ilIdEntreeCible); }
    long recountVisibleThemes();

    // "Entree" & identifier: the entry's key in the index and in its letter.
    static QString key(long ilIdEntree);

private:
    bool visible_ = false;
    long idEntreeIndex_ = 0;
    QString intitule_;
    platform::KeyedCollection<SeqThemeIndex> themes_;
    long nbThemeVisible_ = 0;
    std::vector<long> liens_;
};

}  // namespace lumaro
