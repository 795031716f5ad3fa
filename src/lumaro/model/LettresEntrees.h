#pragma once

#include <QString>

#include <vector>

namespace lumaro {

// A letter of the thematic index and the identifiers of the main entries filed
// under it, in the order of addition.
class LettresEntrees {
public:
    LettresEntrees() = default;
    LettresEntrees(const LettresEntrees&) = delete;
    LettresEntrees& operator=(const LettresEntrees&) = delete;

    // One character.
    QString Lettre() const { return lettre_; }
    void Lettre(const QString& lettre) { lettre_ = lettre; }
    // The letter's index in the array given to InitLettres.
    long IndexTableauSource() const { return indexTableauSource_; }
    void IndexTableauSource(long index) { indexTableauSource_ = index; }

    long NbEntreePrincipale() const { return long(entrees_.size()); }
    // Files the entry here, repeats included, and gives the letter's IndexTableauSource.
    long addEntreePrincipale(long ilIdEntree);
    // The entry identifier at that 1-based index; -1 outside 1..NbEntreePrincipale.
    long EntreePrincipale(long ilIndex) const;

private:
    QString lettre_;
    long indexTableauSource_ = 0;
    std::vector<long> entrees_;
};

}  // namespace lumaro
