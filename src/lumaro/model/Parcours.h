#pragma once

#include "Enumerations.h"

#include "platform/KeyedCollection.h"
#include "platform/OleDate.h"

#include <QString>

#include <memory>

namespace lumaro {

class IndexThematique;
class LumaroContext;
class Module;

// A learning path of a taught application (full mode): its modules keyed
// "Module" & identifier, its evaluation settings, the counters and dates the
// host records, and, for a training path, its thematic index. The path hands
// out the process-wide current module: entering one of its modules makes it
// current and starts it.
class Parcours {
public:
    using ModuleCollection = platform::KeyedCollection<lumaro::Module>;

    explicit Parcours(LumaroContext& context);
    ~Parcours();
    Parcours(const Parcours&) = delete;
    Parcours& operator=(const Parcours&) = delete;

    // A new module of the path's type; an evaluation path gives it its timing
    // and display settings. False, with nothing added, when the identifier is taken.
    bool AddModule(long ilIdModule);
    // Null when the path has no such module.
    std::shared_ptr<lumaro::Module> Module(long ilIdModule) const;
    // Makes the module the process-wide current module and starts it. False,
    // and no current module, when the path has no such module.
    bool ModuleAccede(long ilIdModule);
    // Ends the current module and forgets it; nothing happens without one.
    void ModuleEnCoursQuitte();
    std::shared_ptr<ModuleCollection> CollectionModules() const { return modules_; }

    bool VideoRenseigne() const { return videoRenseigne_; }
    void VideoRenseigne(bool renseigne) { videoRenseigne_ = renseigne; }
    long IdAppliDuParcours() const { return idAppliDuParcours_; }
    void IdAppliDuParcours(long id) { idAppliDuParcours_ = id; }
    // A training path gets an empty thematic index the first time it is typed so;
    // no type ever removes it.
    ETypeParcoursModule TypeParcours() const { return typeParcours_; }
    void TypeParcours(ETypeParcoursModule type);

    // Stores ilValueLong in the Long setting or ibValueBool in the Boolean
    // setting that the selector names; any other selector changes nothing.
    void SetInfosEval(eGlobPropParcEval ieGlobPropParcEval, long ilValueLong, bool ibValueBool);
    tGlobPropParcEval GetInfosEval() const { return infosEval_; }

    long IdParcours() const { return idParcours_; }
    void IdParcours(long id) { idParcours_ = id; }
    QString Nom() const { return nom_; }
    void Nom(const QString& nom) { nom_ = nom; }
    QString DureeTheo() const { return dureeTheo_; }
    void DureeTheo(const QString& duree) { dureeTheo_ = duree; }
    // The modules the path holds.
    long NbModules() const { return modules_->count(); }
    long NbQuest() const { return nbQuest_; }
    void NbQuest(long nb) { nbQuest_ = nb; }
    long NbQuestBase() const { return nbQuestBase_; }
    void NbQuestBase(long nb) { nbQuestBase_ = nb; }
    QString Objectif() const { return objectif_; }
    void Objectif(const QString& objectif) { objectif_ = objectif; }
    // Always 0; the let changes nothing.
    long IdResParcours() const { return 0; }
    void IdResParcours(long) {}
    long NbQuestReussi() const { return nbQuestReussi_; }
    void NbQuestReussi(long nb) { nbQuestReussi_ = nb; }
    EtatParcours EstTermine() const { return estTermine_; }
    void EstTermine(EtatParcours etat) { estTermine_ = etat; }
    bool Accessible() const { return accessible_; }
    void Accessible(bool accessible) { accessible_ = accessible; }
    // Counted at each reading; the let changes nothing.
    long NbModulesAccessibles() const;
    void NbModulesAccessibles(long) {}

    // Start of the path on the model's clock, set when the learner enters it; 0 until then.
    platform::OleDate DebutParcours() const { return debutParcours_; }
    void DebutParcours(platform::OleDate debut) { debutParcours_ = debut; }
    // Time spent since the path was entered, as a duration text; "0000:00" for
    // a path never entered, whose start is not a time to count from.
    QString DureeParcours() const;

    // Present only for a training path.
    std::shared_ptr<lumaro::IndexThematique> IndexThematique() const { return indexThematique_; }

    // -1 when no path is associated.
    long IdParcoursAssocie() const { return idParcoursAssocie_; }
    void IdParcoursAssocie(long id) { idParcoursAssocie_ = id; }
    platform::OleDate DateResultat() const { return dateResultat_; }
    void DateResultat(platform::OleDate date) { dateResultat_ = date; }
    platform::OleDate DateDernModif() const { return dateDernModif_; }
    void DateDernModif(platform::OleDate date) { dateDernModif_ = date; }

    // The process-wide current module, as the path hands it out.
    std::shared_ptr<lumaro::Module> ModuleEnCours() const;

    // Destroys and removes the modules, last first, which releases their
    // taught application; destroys and releases the thematic index. The
    // process-wide current module is forgotten only when it was one of the
    // path's own, so that ending one path never takes another's module away.
    void Destroy();

private:
    bool holds(const std::shared_ptr<lumaro::Module>& module) const;

    LumaroContext& context_;
    long idParcours_ = 0;
    long idAppliDuParcours_ = 0;
    long idParcoursAssocie_ = -1;
    QString nom_, dureeTheo_, objectif_;
    ETypeParcoursModule typeParcours_ = ETypeParcoursModule(0);
    long nbQuest_ = 0;
    long nbQuestBase_ = 0;
    long nbQuestReussi_ = 0;
    EtatParcours estTermine_ = EnCours;
    bool accessible_ = false;
    bool videoRenseigne_ = false;
    platform::OleDate dateResultat_;
    platform::OleDate dateDernModif_;
    platform::OleDate debutParcours_;
    std::shared_ptr<ModuleCollection> modules_;
    tGlobPropParcEval infosEval_;
    std::shared_ptr<lumaro::IndexThematique> indexThematique_;
};

}  // namespace lumaro
