#include "LettreIndex.h"

#include "EntreeIndex.h"

namespace lumaro {

std::shared_ptr<EntreeIndex> LettreIndex::EntreeIndexById(long ilIdEntree) const
{
    return entrees_.item(EntreeIndex::key(ilIdEntree));
}

std::shared_ptr<EntreeIndex> LettreIndex::EntreeIndexByIndex(long ilIndex) const
{
    if (ilIndex < 1 || ilIndex > entrees_.count())
        return nullptr;
    return entrees_.at(int(ilIndex));
}

bool LettreIndex::addEntree(std::shared_ptr<EntreeIndex> entree)
{
    if (!entree)
        return false;
    const long id = entree->IdEntreeIndex();
    return entrees_.add(EntreeIndex::key(id), std::move(entree));
}

bool LettreIndex::hasVisibleEntree() const
{
    for (const auto& entree : entrees_.items()) {
        if (entree->Visible())
            return true;
    }
    return false;
}

}  // namespace lumaro
