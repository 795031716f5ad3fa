#pragma once

#include "platform/KeyedCollection.h"

#include <QString>

#include <memory>
#include <vector>

namespace lumaro {

class EntreeIndex;
class LettreIndex;
class SeqThemeIndex;

// The alphabetical index of a taught application: entries filed under the
// letters "A" to "Z" and "[", each leading to themes (video sequences) and to
// other entries. A mask computed for one learning path shows only the themes
// that path's videos use, the entries that lead to them and their letters:
// InitMasque, then SetThemVisible for each video of the path, then
// CalculeVisibilite with the path's identifier.
//
// Every add either succeeds whole or changes nothing, so that a refused add
// never leaves an entry or theme reachable from one collection and not another.
class AppliIndex {
public:
    AppliIndex();
    ~AppliIndex();
    AppliIndex(const AppliIndex&) = delete;
    AppliIndex& operator=(const AppliIndex&) = delete;

    // The path whose mask is applied; -1 when none.
    long IdParcoursMasque() const { return idParcoursMasque_; }
    // Null when there is no such letter.
    std::shared_ptr<lumaro::LettreIndex> LettreIndex(const QString& isLettre) const;
    bool Loaded() const { return loaded_; }
    void Loaded(bool loaded) { loaded_ = loaded; }

    // Adds a see-also link from the source entry; the target is kept as given,
    // even when it names no entry. False when the source entry does not exist.
    bool AddLien(long ilIdEntreSource, long ilIdEntreCible);
    // Null when there is no such entry.
    std::shared_ptr<lumaro::EntreeIndex> EntreeIndexById(long ilIdEntree) const;
    // Clears a mask that was computed: hides every theme, entry and letter. True.
    bool InitMasque();
    // Files the entry under the upper-cased first character of its label. False,
    // with nothing added, when the identifier is taken or no letter has that key.
    bool AddEntree(long ilIdEntree, const QString& isIntitule);
    // Null when there is no such theme.
    std::shared_ptr<SeqThemeIndex> GetThemeById(long ilIdSeqTheme) const;
    // Adds a theme to an entry and to the video's list of themes. False, with
    // nothing added, when the entry does not exist or the theme identifier is taken.
    bool AddTheme(long ilIdEntree, long ilIdSeqTheme, long ilIdVideo, long ilIdSeqSansSon, const QString& isIntitule,
                  const QString& isDebut);
    // Marks the video's themes visible for the question and video type that use
    // them; a video without themes changes nothing.
    void SetThemVisible(long ilIdVideo, long ilIdQuestion, const QString& isTypeVideo);
    // Shows the entries with a visible theme or a direct link to such an entry,
    // then the letters with a visible entry, and records the path. Never hides anything.
    void CalculeVisibilite(long ilIdParcoursMasque);

private:
    platform::KeyedCollection<lumaro::LettreIndex> lettres_;
    platform::KeyedCollection<lumaro::EntreeIndex> entrees_;
    platform::KeyedCollection<SeqThemeIndex> themes_;
    // "Video" & video identifier: the identifiers of the themes on that video, in order of addition.
    platform::KeyedCollection<std::vector<long>> themesParVideo_;
    long idParcoursMasque_ = -1;
    bool loaded_ = false;
};

}  // namespace lumaro
