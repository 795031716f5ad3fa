#include "IndexThematique.h"

#include "EntreePrincipale.h"
#include "FirstCharacter.h"
#include "LettresEntrees.h"

#include <set>

namespace lumaro {

namespace {

QString lettreKey(long code)
{
    return QStringLiteral("LETTRE") + QString::number(code);
}

QString entreeKey(long ilIdEntree)
{
    return QStringLiteral("ENTREE") + QString::number(ilIdEntree);
}

QString seqKey(long ilIdLien)
{
    return QStringLiteral("SEQ") + QString::number(ilIdLien);
}

bool isUnicodeCharacter(long code)
{
    return code >= 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
}

}  // namespace

IndexThematique::IndexThematique() = default;

IndexThematique::~IndexThematique() = default;

bool IndexThematique::InitLettres(const std::vector<long>& itCodeAscii, long lowerBound)
{
    std::set<long> seen;
    for (const long code : itCodeAscii) {
        if (!isUnicodeCharacter(code) || !seen.insert(code).second || lettres_.contains(lettreKey(code)))
            return false;
    }

    long index = lowerBound;
    for (const long code : itCodeAscii) {
        auto lettre = std::make_shared<LettresEntrees>();
        const char32_t character = char32_t(code);
        lettre->Lettre(QString::fromUcs4(&character, 1));
        lettre->IndexTableauSource(index++);
        lettres_.add(lettreKey(code), std::move(lettre));
    }
    return true;
}

bool IndexThematique::addEntreePrincipale(long ilIdEntree, const QString& isLibelle)
{
    const auto first = firstCharacter(isLibelle);
    if (!first)
        return false;
    const auto lettre = lettres_.item(lettreKey(long(*first)));
    const QString key = entreeKey(ilIdEntree);
    if (!lettre || entrees_.contains(key))
        return false;

    auto entree = std::make_shared<lumaro::EntreePrincipale>();
    entree->IdEntree(ilIdEntree);
    entree->Libelle(isLibelle);
    entree->IndexTableauSource(lettre->addEntreePrincipale(ilIdEntree));
    entrees_.add(key, std::move(entree));
    return true;
}

bool IndexThematique::addPointeVers(long ilIdEntree, long ilIdPointVers)
{
    const auto entree = entrees_.item(entreeKey(ilIdEntree));
    if (!entree)
        return false;
    entree->addPointeVers(ilIdPointVers);
    return true;
}

bool IndexThematique::addSeqThematiqueByType(long ilIdEntree, long, const QString& isTheme, const QString& isDebut,
                                             long ilIdVideo, long ilFkSeqSansSon, long ilIdQuestion, long ilIdLien,
                                             const QString& isTypeVideo)
{
    const auto entree = entrees_.item(entreeKey(ilIdEntree));
    if (!entree)
        return false;

    // Several entries may share one sequence link; the record first given for it stays.
    sequences_.add(seqKey(ilIdLien),
                   std::make_shared<tSeqThematiqueByType>(
                       tSeqThematiqueByType{isTheme, isDebut, ilIdVideo, ilIdQuestion, ilFkSeqSansSon, isTypeVideo}));
    entree->addThemes(ilIdLien);
    return true;
}

bool IndexThematique::addSeqThematique(long ilIdEntree, long ilIdSeq, const QString& isTheme, const QString& isDebut,
                                       long ilIdVideo, long ilFkSeqSansSon, long ilIdQuestion, long ilIdLien)
{
    return addSeqThematiqueByType(ilIdEntree, ilIdSeq, isTheme, isDebut, ilIdVideo, ilFkSeqSansSon, ilIdQuestion,
                                  ilIdLien, QStringLiteral("L"));
}

std::shared_ptr<LettresEntrees> IndexThematique::Lettre(long ilAscii) const
{
    return lettres_.item(lettreKey(ilAscii));
}

std::shared_ptr<EntreePrincipale> IndexThematique::EntreePrincipale(long ilIdEntree) const
{
    return entrees_.item(entreeKey(ilIdEntree));
}

std::optional<tSeqThematique> IndexThematique::SeqThematique(long ilIdSeq) const
{
    const auto record = SeqThematiqueByType(ilIdSeq);
    if (!record)
        return std::nullopt;
    return tSeqThematique{record->sTheme, record->sDebut, record->lIdVideo, record->lIdQuestion,
                          record->lfkSeqSansSon};
}

std::optional<tSeqThematiqueByType> IndexThematique::SeqThematiqueByType(long ilIdSeq) const
{
    const auto record = sequences_.item(seqKey(ilIdSeq));
    if (!record)
        return std::nullopt;
    return *record;
}

void IndexThematique::Destroy()
{
    entrees_.clear();
    lettres_.clear();
    sequences_.clear();
}

}  // namespace lumaro
