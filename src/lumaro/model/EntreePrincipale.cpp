#include "EntreePrincipale.h"

namespace lumaro {

namespace {

long atPosition(const std::vector<long>& list, long ilIndex)
{
    if (ilIndex < 1 || ilIndex > long(list.size()))
        return -1;
    return list[std::size_t(ilIndex - 1)];
}

}  // namespace

long EntreePrincipale::PointeVers(long ilIndex) const
{
    return atPosition(pointeVers_, ilIndex);
}

long EntreePrincipale::Themes(long ilIndex) const
{
    return atPosition(themes_, ilIndex);
}

}  // namespace lumaro
