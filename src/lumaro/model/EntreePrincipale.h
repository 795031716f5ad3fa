#pragma once

#include <QString>

#include <vector>

namespace lumaro {

// A main entry of the thematic index: its label, the entries it points to and
// the link identifiers of its video sequences, both in the order of addition.
class EntreePrincipale {
public:
    EntreePrincipale() = default;
    EntreePrincipale(const EntreePrincipale&) = delete;
    EntreePrincipale& operator=(const EntreePrincipale&) = delete;

    // The index, in the array given to InitLettres, of the letter the entry is filed under.
    long IndexTableauSource() const { return indexTableauSource_; }
    void IndexTableauSource(long index) { indexTableauSource_ = index; }
    long IdEntree() const { return idEntree_; }
    void IdEntree(long id) { idEntree_ = id; }
    QString Libelle() const { return libelle_; }
    void Libelle(const QString& libelle) { libelle_ = libelle; }

    long NbPointeVers() const { return long(pointeVers_.size()); }
    long NbThemes() const { return long(themes_.size()); }
    // Repeats are kept.
    void addPointeVers(long ilIdEntree) { pointeVers_.push_back(ilIdEntree); }
    // 1-based; -1 outside 1..NbPointeVers.
    long PointeVers(long ilIndex) const;
    // Repeats are kept.
    void addThemes(long ilIdThemes) { themes_.push_back(ilIdThemes); }
    // 1-based; -1 outside 1..NbThemes.
    long Themes(long ilIndex) const;

private:
    long indexTableauSource_ = 0;
    long idEntree_ = 0;
    QString libelle_;
    std::vector<long> pointeVers_;
    std::vector<long> themes_;
};

}  // namespace lumaro
