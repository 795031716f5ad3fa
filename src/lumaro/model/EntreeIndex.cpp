#include "EntreeIndex.h"

#include "SeqThemeIndex.h"

namespace lumaro {

namespace {

QString themeKey(long ilIdTheme)
{
    return QStringLiteral("Theme") + QString::number(ilIdTheme);
}

}  // namespace

QString EntreeIndex::key(long ilIdEntree)
{
    return QStringLiteral("Entree") + QString::number(ilIdEntree);
}

std::shared_ptr<SeqThemeIndex> EntreeIndex::ThemeById(long ilIdTheme) const
{
    return themes_.item(themeKey(ilIdTheme));
}

std::shared_ptr<SeqThemeIndex> EntreeIndex::ThemeByIndex(long ilIndex) const
{
    if (ilIndex < 1 || ilIndex > themes_.count())
        return nullptr;
    return themes_.at(int(ilIndex));
}

long EntreeIndex::LienEntree(long ilIndex) const
{
    if (ilIndex < 1 || ilIndex > NbLiens())
        return -1;
    return liens_[std::size_t(ilIndex - 1)];
}

bool EntreeIndex::addTheme(std::shared_ptr<SeqThemeIndex> theme)
{
    if (!theme)
        return false;
    const long id = theme->IdSeqTheme();
    return themes_.add(themeKey(id), std::move(theme));
}

long EntreeIndex::recountVisibleThemes()
{
    long visibles = 0;
    for (const auto& theme : themes_.items()) {
        if (theme->Visible())
            ++visibles;
    }
    nbThemeVisible_ = visibles;
    return visibles;
}

}  // namespace lumaro
