#pragma once

#include "Enumerations.h"
#include "LumaroContext.h"

#include "platform/KeyedCollection.h"
#include "platform/OleDate.h"
#include "platform/RuntimeError.h"

#include <QString>

#include <memory>
#include <optional>

namespace lumaro {

class Appli;
class Module;
class Parcours;
class User;

// The root of the course model: the host chooses the mode, gives the date the
// model's clock follows, registers the taught applications and, per mode,
// builds the learner and paths (full mode) or the one module being played
// (simplified mode). Everything it reports goes through the process state it
// shares with every object of the model.
//
// Every operation is safe before CreateManager: adders answer False and getters null.
class ContexteManager {
public:
    using ParcoursCollection = platform::KeyedCollection<Parcours>;

    explicit ContexteManager(LumaroContext& context = LumaroContext::processDefault());
    ~ContexteManager();
    ContexteManager(const ContexteManager&) = delete;
    ContexteManager& operator=(const ContexteManager&) = delete;

    // Sets the mode and the clock offset (local clock now less idteDateServeur).
    bool CreateManager(TypeManagment ieTypeManagment, platform::OleDate idteDateServeur);
    // CreateManager that reports a failure as the error the host must raise:
    // the last error number and text, which stay stored.
    std::optional<platform::RuntimeError> Create(TypeManagment ieTypeManagment, platform::OleDate idteDateServeur);

    // Unloads and destroys every application, then (simplified mode) the current module.
    bool Destroy();
    // Simplified mode: destroys the current module, if any, and forgets it.
    bool DestroyModule();
    // Simplified mode: a new current module.
    bool CreateModule();
    // Full mode: forgets the paths and the last path and module entered.
    bool UnloadParcours();

    bool AddAppli(long ilIdAppli);
    std::shared_ptr<lumaro::Appli> Appli(long ilIdAppli) const;
    // The evaluation paths for TYPEevaluation, the training paths otherwise; null outside full mode.
    std::shared_ptr<ParcoursCollection> CollectionParcours(ETypeParcoursModule ieTypeParcours) const;
    bool AddParcoursEval(long ilIdAppli, long ilIdParcours);
    bool AddParcoursForm(long ilIdAppli, long ilIdParcours);
    std::shared_ptr<Parcours> ParcoursEnCours() const;
    void ParcoursEnCoursQuitte();
    // Simplified mode: the current module; full mode: the one the current path
    // hands out (null without a current path); otherwise null.
    std::shared_ptr<Module> ModuleEnCours() const;
    std::shared_ptr<User> Utilisateur() const { return utilisateur_; }

    // Read once.
    long StateEnCours() { return context_.takeStateEnCours(); }
    QString LastErrorString() { return context_.lastError.takeText(); }
    long LastErrorNumber() { return context_.lastError.takeNumber(); }

    long LevelTracelage() const { return context_.levelTracelage(); }
    void LevelTracelage(long level) { context_.levelTracelage(level); }
    QString PathParent() const { return context_.pathParent(); }
    void PathParent(const QString& folder) { context_.pathParent(folder); }

    long EnvIHM() const { return envIHM_; }
    void EnvIHM(long env) { envIHM_ = env; }
    long IdAppliDernParcoursAccede() const { return idAppliDernParcoursAccede_; }
    void IdAppliDernParcoursAccede(long id) { idAppliDernParcoursAccede_ = id; }
    bool DernParcoursAccedeAccessible() const { return dernParcoursAccedeAccessible_; }
    void DernParcoursAccedeAccessible(bool accessible) { dernParcoursAccedeAccessible_ = accessible; }
    long IdDernParcoursAccede() const { return idDernParcoursAccede_; }
    void IdDernParcoursAccede(long id) { idDernParcoursAccede_ = id; }
    long IdDernModuleAccede() const { return idDernModuleAccede_; }
    void IdDernModuleAccede(long id) { idDernModuleAccede_ = id; }

    long NbParcoursEval() const { return nbParcoursEval_; }
    long NbParcoursForm() const { return nbParcoursForm_; }
    // Recounted at each reading.
    long NbParcoursEvalAccessible();
    long NbParcoursFormAccessible();

private:
    bool addParcours(std::shared_ptr<ParcoursCollection>& collection, long& counter, long ilIdAppli,
                     long ilIdParcours);
    static long countAccessible(const std::shared_ptr<ParcoursCollection>& collection);

    LumaroContext& context_;
    TypeManagment typeManagment_ = TypeUndefined;
    std::shared_ptr<platform::KeyedCollection<lumaro::Appli>> applis_;
    std::shared_ptr<ParcoursCollection> parcoursEval_;
    std::shared_ptr<ParcoursCollection> parcoursForm_;
    std::shared_ptr<User> utilisateur_;
    long envIHM_ = 0;
    long idAppliDernParcoursAccede_ = 0;
    bool dernParcoursAccedeAccessible_ = false;
    long idDernParcoursAccede_ = 0;
    long idDernModuleAccede_ = 0;
    long nbParcoursEval_ = 0;
    long nbParcoursForm_ = 0;
    long nbParcoursEvalAccessible_ = 0;
    long nbParcoursFormAccessible_ = 0;
};

}  // namespace lumaro
