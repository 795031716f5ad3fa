#include "LettresEntrees.h"

namespace lumaro {

long LettresEntrees::addEntreePrincipale(long ilIdEntree)
{
    entrees_.push_back(ilIdEntree);
    return indexTableauSource_;
}

long LettresEntrees::EntreePrincipale(long ilIndex) const
{
    if (ilIndex < 1 || ilIndex > NbEntreePrincipale())
        return -1;
    return entrees_[std::size_t(ilIndex - 1)];
}

}  // namespace lumaro
