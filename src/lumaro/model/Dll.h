#pragma once

#include "platform/KeyedCollection.h"

#include <QString>

#include <memory>

namespace lumaro {

class ExerciseEngine;
class LumaroContext;
class ModuleInterractif;
class ReponseGenerale;

// The exercise component of a taught application, shared by all its questions:
// names the component, loads it on demand (the exercise engine for the name
// "EXERVA" in any case, else an interactive component), scores the learner's
// answer through it and keeps the outcome of the last scoring for the question
// player. Also holds the component's general answers by letter. The engine
// comes from the context's engine factory.
class Dll {
public:
    explicit Dll(LumaroContext& context);
    ~Dll();
    Dll(const Dll&) = delete;
    Dll& operator=(const Dll&) = delete;

    std::shared_ptr<ReponseGenerale> GetReponse(const QString& isLettre) const;
    bool AddReponse(const QString& isLettre);

    // 0 not loaded, 1 interactive component, 2 exercise engine.
    long TypeDll() const { return typeDll_; }
    void TypeDll(long type) { typeDll_ = type; }
    bool Bis() const { return bis_; }
    void Bis(bool bis) { bis_ = bis; }
    QString Nom() const { return nom_; }
    void Nom(const QString& nom) { nom_ = nom; }
    long IdDll() const { return idDll_; }
    void IdDll(long id) { idDll_ = id; }
    bool Chargee() const { return chargee_; }
    void Chargee(bool chargee) { chargee_ = chargee; }

    std::shared_ptr<ModuleInterractif> DllInterractive() const { return dllInterractive_; }
    void DllInterractive(std::shared_ptr<ModuleInterractif> component) { dllInterractive_ = std::move(component); }
    std::shared_ptr<ExerciseEngine> DllExerva() const { return dllExerva_; }
    void DllExerva(std::shared_ptr<ExerciseEngine> engine) { dllExerva_ = std::move(engine); }

    // Creates the component object; it does not look at Chargee first.
    bool ChargeDll();
    // Releases the component objects (without closing them) and the general answers.
    void Destroy();

    // Scores the current answer through the loaded component. Afterwards the
    // outcome reads: right (PointBravo, maybe PointBravoNuance), wrong with its
    // letter, or a general error whose letter is "B" (the component failed; an
    // engine is loaded again for the next question) or "#A" (the engine
    // reported a failure code, left in the process state).
    bool TestePoint();
    QString PointCauseErreur() const { return pointCauseErreur_; }
    bool PointErreurGenerale() const { return pointErreurGenerale_; }
    bool PointBravo() const { return pointBravo_; }
    bool PointBravoNuance() const { return pointBravoNuance_; }

private:
    void testeInterractif();
    void testeExerva();
    void erreurGeneraleB();

    LumaroContext& context_;
    long idDll_ = 0;
    QString nom_;
    bool bis_ = false;
    long typeDll_ = 0;
    bool chargee_ = false;
    std::shared_ptr<ModuleInterractif> dllInterractive_;
    std::shared_ptr<ExerciseEngine> dllExerva_;
    platform::KeyedCollection<ReponseGenerale> reponses_;

    QString pointCauseErreur_;
    bool pointErreurGenerale_ = false;
    bool pointBravo_ = false;
    bool pointBravoNuance_ = false;
};

}  // namespace lumaro
