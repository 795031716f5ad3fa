#pragma once

#include <QString>

namespace lumaro {

// The learner of the full course mode, created by the root in that mode. Its
// identity and preferences are filled in by the desktop host.
class User {
public:
    User() = default;
    User(const User&) = delete;
    User& operator=(const User&) = delete;

    // Forgets the learner's identity, password and preferences; Entreprise keeps its value.
    void ClearInfoUser();

    long IdBase() const { return idBase_; }
    void IdBase(long value) { idBase_ = value; }
    QString NumIdent() const { return numIdent_; }
    void NumIdent(const QString& value) { numIdent_ = value; }
    QString Nom() const { return nom_; }
    void Nom(const QString& value) { nom_ = value; }
    QString Prenom() const { return prenom_; }
    void Prenom(const QString& value) { prenom_ = value; }
    QString Titre() const { return titre_; }
    void Titre(const QString& value) { titre_ = value; }
    QString Entreprise() const { return entreprise_; }
    void Entreprise(const QString& value) { entreprise_ = value; }
    // Language of the interface and of the exercises.
    long EnvIHM() const { return envIHM_; }
    void EnvIHM(long value) { envIHM_ = value; }
    long EnvLog() const { return envLog_; }
    void EnvLog(long value) { envLog_ = value; }
    QString MotDePasse() const { return motDePasse_; }
    void MotDePasse(const QString& value) { motDePasse_ = value; }
    bool DoitChangerMotDePasse() const { return doitChangerMotDePasse_; }
    void DoitChangerMotDePasse(bool value) { doitChangerMotDePasse_ = value; }
    bool Connecte() const { return connecte_; }
    void Connecte(bool value) { connecte_ = value; }
    bool EnCreation() const { return enCreation_; }
    void EnCreation(bool value) { enCreation_ = value; }
    bool AvecSon() const { return avecSon_; }
    void AvecSon(bool value) { avecSon_ = value; }
    bool BesoinAccessible() const { return besoinAccessible_; }
    void BesoinAccessible(bool value) { besoinAccessible_ = value; }
    bool ExclusionBesoin() const { return exclusionBesoin_; }
    void ExclusionBesoin(bool value) { exclusionBesoin_ = value; }

private:
    QString motDePasse_, titre_, prenom_, nom_, numIdent_, entreprise_;
    long idBase_ = 0;
    long envLog_ = 0;
    long envIHM_ = 0;
    bool avecSon_ = false;
    bool enCreation_ = false;
    bool connecte_ = false;
    bool doitChangerMotDePasse_ = false;
    bool besoinAccessible_ = false;
    bool exclusionBesoin_ = false;
};

}  // namespace lumaro
