#pragma once

#include "Enumerations.h"

#include "platform/OleDate.h"

#include <QString>

#include <memory>
#include <vector>

namespace platform {
class RuntimeError;
}

namespace tracel {
class TraceScope;
}

namespace lumaro {

class Appli;
class Dll;
class ExerciseEngine;
class ExoApp;
class LumaroContext;
class Question;
class ResultQuestion;

// One module as the learner plays it: its description, its start, one result
// per question in the order the host adds them, the count of questions passed,
// and the start of a question's exercise (InitInterractif) or of the module's
// exercise application (InitExoApp) through their exercise components.
//
// The module holds its taught application (shared, as the original held a
// reference); Destroy releases it, which is what breaks the cycle when a path
// of that application holds the module.
class Module {
public:
    explicit Module(LumaroContext& context);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    bool InitExoApp(const QString& isPersonalFolder);
    bool InitInterractif(long ilIndexQuestion, const QString& isPathDossier);

    // Links every result that has no question yet to the application's question.
    void MajLienVersQuestion();
    // The 1-based index of the question's result, appended when it has none; -1
    // without an application.
    long AddResultQuestion(long ilIdQuestion);
    // Null outside 1..NbQuest.
    std::shared_ptr<ResultQuestion> ResultQuestions(long lItem) const;

    // Creates the exercise application once; later calls change nothing.
    void CreateExoApp(long lIdExoApp);
    std::shared_ptr<lumaro::ExoApp> ExoApp() const { return exoApp_; }
    std::shared_ptr<lumaro::Appli> Appli() const { return appli_; }
    void Appli(std::shared_ptr<lumaro::Appli> appli) { appli_ = std::move(appli); }

    void StartModule();
    QString TempsPasseModule() const;
    // Validates that result and recounts the questions passed.
    void MajResultQuest(long ilItemResultQuest);
    // Empties every result; an evaluation module also shows none.
    void Finir();

    long NbQuest() const { return long(results_.size()); }
    long NbQuestBase() const { return nbQuestBase_; }
    void NbQuestBase(long nb) { nbQuestBase_ = nb; }
    platform::OleDate DebutModule() const { return debutModule_; }
    tGlobPropModEval GlobPropModEval() const { return globPropModEval_; }
    void GlobPropModEval(const tGlobPropModEval& props) { globPropModEval_ = props; }
    long IdModule() const { return idModule_; }
    void IdModule(long id) { idModule_ = id; }
    // Always 0; the let changes nothing.
    long IdResModule() const { return 0; }
    void IdResModule(long) {}
    bool Accessible() const { return accessible_; }
    void Accessible(bool accessible) { accessible_ = accessible; }
    EtatParcours EstTermine() const { return estTermine_; }
    void EstTermine(EtatParcours etat) { estTermine_ = etat; }
    long NbQuestReussi() const { return nbQuestReussi_; }
    void NbQuestReussi(long nb) { nbQuestReussi_ = nb; }
    QString Objectif() const { return objectif_; }
    void Objectif(const QString& objectif) { objectif_ = objectif; }
    QString Nom() const { return nom_; }
    void Nom(const QString& nom) { nom_ = nom; }
    QString DureePrevue() const { return dureePrevue_; }
    void DureePrevue(const QString& duree) { dureePrevue_ = duree; }
    ETypeParcoursModule TypeModule() const { return typeModule_; }
    void TypeModule(ETypeParcoursModule type) { typeModule_ = type; }

    // Releases the application, the exercise application and every result.
    void Destroy();

private:
    bool startQuestion(const tracel::TraceScope& scope, long ilIndexQuestion, const QString& isPathDossier);
    bool prepareEngine(const tracel::TraceScope& scope, lumaro::Appli& appli, lumaro::Dll& dll);
    bool startExercise(const tracel::TraceScope& scope, const lumaro::Appli& appli, lumaro::Dll& dll,
                       const lumaro::Question& question);
    void startInteractive(const tracel::TraceScope* scope, lumaro::Appli& appli, lumaro::Dll& dll, long instance,
                          const QString& folder);
    bool loadComponent(lumaro::Dll& dll);
    void copyEngineError(const tracel::TraceScope& scope, ExerciseEngine& engine);
    // The "FRMbarre_errObject" message about the current module's application.
    QString messageErrObject() const;
    bool fail(const tracel::TraceScope& scope, const platform::RuntimeError& error, long stateAppli,
              long stateInconnue, bool keepNumber);

    LumaroContext& context_;
    long idModule_ = 0;
    QString nom_, objectif_, dureePrevue_;
    ETypeParcoursModule typeModule_ = ETypeParcoursModule(0);
    bool accessible_ = false;
    EtatParcours estTermine_ = EnCours;
    tGlobPropModEval globPropModEval_;
    long nbQuestBase_ = 0;
    long nbQuestReussi_ = 0;
    platform::OleDate debutModule_;
    std::vector<std::shared_ptr<ResultQuestion>> results_;
    std::shared_ptr<lumaro::ExoApp> exoApp_;
    std::shared_ptr<lumaro::Appli> appli_;
};

}  // namespace lumaro
