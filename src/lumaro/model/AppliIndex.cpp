#include "AppliIndex.h"

#include "EntreeIndex.h"
#include "FirstCharacter.h"
#include "LettreIndex.h"
#include "SeqThemeIndex.h"

namespace lumaro {

namespace {

QString themeKey(long ilIdSeqTheme)
{
    return QStringLiteral("Theme") + QString::number(ilIdSeqTheme);
}

QString videoKey(long ilIdVideo)
{
    return QStringLiteral("Video") + QString::number(ilIdVideo);
}

// The letters are the characters "A" to "Z" and the one after them, "[".
constexpr char16_t firstLetterCode = 65;
constexpr char16_t lastLetterCode = 91;

}  // namespace

AppliIndex::AppliIndex()
{
    for (char16_t code = firstLetterCode; code <= lastLetterCode; ++code) {
        auto lettre = std::make_shared<lumaro::LettreIndex>();
        const QString text(QChar{code});
        lettre->Lettre(text);
        lettres_.add(text, std::move(lettre));
    }
}

AppliIndex::~AppliIndex() = default;

std::shared_ptr<LettreIndex> AppliIndex::LettreIndex(const QString& isLettre) const
{
    return lettres_.item(isLettre);
}

bool AppliIndex::AddLien(long ilIdEntreSource, long ilIdEntreCible)
{
    const auto source = entrees_.item(EntreeIndex::key(ilIdEntreSource));
    if (!source)
        return false;
    source->AddLien(ilIdEntreCible);
    return true;
}

std::shared_ptr<EntreeIndex> AppliIndex::EntreeIndexById(long ilIdEntree) const
{
    return entrees_.item(EntreeIndex::key(ilIdEntree));
}

bool AppliIndex::InitMasque()
{
    if (idParcoursMasque_ == -1)
        return true;
    idParcoursMasque_ = -1;
    for (const auto& theme : themes_.items())
        theme->Visible(false);
    for (const auto& entree : entrees_.items())
        entree->Visible(false);
    for (const auto& lettre : lettres_.items())
        lettre->Visible(false);
    return true;
}

bool AppliIndex::AddEntree(long ilIdEntree, const QString& isIntitule)
{
    const auto first = firstCharacter(isIntitule);
    if (!first)
        return false;
    const char32_t initiale = QChar::toUpper(*first);
    const auto lettre = lettres_.item(QString::fromUcs4(&initiale, 1));
    const QString key = EntreeIndex::key(ilIdEntree);
    if (!lettre || entrees_.contains(key) || lettre->EntreeIndexById(ilIdEntree))
        return false;

    auto entree = std::make_shared<lumaro::EntreeIndex>();
    entree->IdEntreeIndex(ilIdEntree);
    entree->Intitule(isIntitule);
    lettre->addEntree(entree);
    entrees_.add(key, std::move(entree));
    return true;
}

std::shared_ptr<SeqThemeIndex> AppliIndex::GetThemeById(long ilIdSeqTheme) const
{
    return themes_.item(themeKey(ilIdSeqTheme));
}

bool AppliIndex::AddTheme(long ilIdEntree, long ilIdSeqTheme, long ilIdVideo, long ilIdSeqSansSon,
                          const QString& isIntitule, const QString& isDebut)
{
    const auto entree = entrees_.item(EntreeIndex::key(ilIdEntree));
    const QString key = themeKey(ilIdSeqTheme);
    if (!entree || themes_.contains(key) || entree->ThemeById(ilIdSeqTheme))
        return false;

    auto theme = std::make_shared<SeqThemeIndex>();
    theme->IdSeqTheme(ilIdSeqTheme);
    theme->IdVideo(ilIdVideo);
    theme->IdSeqSansSon(ilIdSeqSansSon);
    theme->Intitule(isIntitule);
    theme->Debut(isDebut);
    entree->addTheme(theme);
    themes_.add(key, std::move(theme));

    auto surVideo = themesParVideo_.item(videoKey(ilIdVideo));
    if (!surVideo) {
        surVideo = std::make_shared<std::vector<long>>();
        themesParVideo_.add(videoKey(ilIdVideo), surVideo);
    }
    surVideo->push_back(ilIdSeqTheme);
    return true;
}

void AppliIndex::SetThemVisible(long ilIdVideo, long ilIdQuestion, const QString& isTypeVideo)
{
    const auto surVideo = themesParVideo_.item(videoKey(ilIdVideo));
    if (!surVideo)
        return;
    for (const long idTheme : *surVideo) {
        if (const auto theme = themes_.item(themeKey(idTheme))) {
            theme->IdQuestion(ilIdQuestion);
            theme->TypeVideo(isTypeVideo);
            theme->Visible(true);
        }
    }
}

void AppliIndex::CalculeVisibilite(long ilIdParcoursMasque)
{
    const auto entrees = entrees_.items();
    for (const auto& entree : entrees) {
        if (entree->recountVisibleThemes() > 0)
            entree->Visible(true);
    }

    // Only direct links count: the targets' own counts were all taken above,
    // and a link to an entry that does not exist is passed over.
    for (const auto& entree : entrees) {
        if (entree->Visible())
            continue;
        for (long lien = 1; lien <= entree->NbLiens(); ++lien) {
            const auto cible = entrees_.item(EntreeIndex::key(entree->LienEntree(lien)));
            if (cible && cible->NbThemeVisible() > 0) {
                entree->Visible(true);
                break;
            }
        }
    }

    for (const auto& lettre : lettres_.items()) {
        if (lettre->hasVisibleEntree())
            lettre->Visible(true);
    }

    idParcoursMasque_ = ilIdParcoursMasque;
}

}  // namespace lumaro
