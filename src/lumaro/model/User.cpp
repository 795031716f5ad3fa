#include "User.h"

namespace lumaro {

void User::ClearInfoUser()
{
    motDePasse_.clear();
    titre_.clear();
    prenom_.clear();
    nom_.clear();
    numIdent_.clear();
    idBase_ = 0;
    envLog_ = 0;
    envIHM_ = 0;
    avecSon_ = false;
    enCreation_ = false;
    connecte_ = false;
    doitChangerMotDePasse_ = false;
    besoinAccessible_ = false;
    exclusionBesoin_ = false;
}

}  // namespace lumaro
