#pragma once

#include "tSeqThematique.h"
#include "tSeqThematiqueByType.h"

#include "platform/KeyedCollection.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace lumaro {

class EntreePrincipale;
class LettresEntrees;

// The thematic index of a training path: main entries filed under letters the
// host chooses (keyed "LETTRE" & character code), links between entries, and
// video sequence records (keyed "SEQ" & link identifier) attached to entries.
//
// Letters and entries are added whole or not at all, so that a refused add
// leaves no entry missing from its letter, nor a letter half of a list.
class IndexThematique {
public:
    IndexThematique();
    ~IndexThematique();
    IndexThematique(const IndexThematique&) = delete;
    IndexThematique& operator=(const IndexThematique&) = delete;

    // One letter per code, in array order, each remembering its array index
    // (counted from lowerBound, the array's lower bound). False, with no letter
    // added, when a code is repeated, already held or not a Unicode character.
    bool InitLettres(const std::vector<long>& itCodeAscii, long lowerBound = 0);
    // Files the entry under the letter of its label's first character, exactly
    // as written. False, with nothing added, when the identifier is taken or no
    // letter has that code.
    bool addEntreePrincipale(long ilIdEntree, const QString& isLibelle);
    // False when the entry does not exist; the target is kept as given.
    bool addPointeVers(long ilIdEntree, long ilIdPointVers);
    // Attaches the sequence's link identifier to the entry and keeps the record
    // under it; a record already held under that link stays. False, with
    // nothing added, when the entry does not exist.
    bool addSeqThematiqueByType(long ilIdEntree, long ilIdSeq, const QString& isTheme, const QString& isDebut,
                                long ilIdVideo, long ilFkSeqSansSon, long ilIdQuestion, long ilIdLien,
                                const QString& isTypeVideo);
    // The same for a lesson video ("L").
    bool addSeqThematique(long ilIdEntree, long ilIdSeq, const QString& isTheme, const QString& isDebut,
                          long ilIdVideo, long ilFkSeqSansSon, long ilIdQuestion, long ilIdLien);

    bool Initialise() const { return initialise_; }
    void Initialise(bool initialise) { initialise_ = initialise; }
    // The number of letters after the last InitLettres.
    long NbLettres() const { return lettres_.count(); }
    // Null when there is no letter of that code.
    std::shared_ptr<LettresEntrees> Lettre(long ilAscii) const;
    // Null when there is no such entry.
    std::shared_ptr<lumaro::EntreePrincipale> EntreePrincipale(long ilIdEntree) const;
    // A copy of the record under that link identifier; none when there is no such record.
    std::optional<tSeqThematique> SeqThematique(long ilIdSeq) const;
    std::optional<tSeqThematiqueByType> SeqThematiqueByType(long ilIdSeq) const;

    // Empties the entries, the letters and the sequences.
    void Destroy();

private:
    platform::KeyedCollection<LettresEntrees> lettres_;
    platform::KeyedCollection<lumaro::EntreePrincipale> entrees_;
    platform::KeyedCollection<tSeqThematiqueByType> sequences_;
    bool initialise_ = false;
};

}  // namespace lumaro
