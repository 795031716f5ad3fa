#pragma once

#include "Enumerations.h"

#include "platform/KeyedCollection.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace lumaro {

class Dll;
class LumaroContext;
class Reponse;

// The static data of one exercise of the course: identifiers, HTML files, work
// files, the particular answers by letter and the exercise component that
// shows and scores it. The learner's run of it is a ResultQuestion.
class Question {
public:
    explicit Question(LumaroContext& context);
    ~Question();
    Question(const Question&) = delete;
    Question& operator=(const Question&) = delete;

    // Scoring is the component's (Dll::TestePoint): this does nothing.
    void TestePoint() {}
    // Closes the question's exercise in its component.
    void Fermer();

    bool AddReponse(const QString& isLettre);
    std::shared_ptr<Reponse> GetReponse(const QString& isLettre) const;

    // Kept as given; whoever uses a name checks that it stays in its folder.
    bool FichierAssocieAddNew(const QString& isFichier);
    // The name at a 1-based index, "" outside the list.
    QString FichierAssocie(long ilItem) const;
    long NbFichiersAssocie() const { return long(fichiers_.size()); }

    std::shared_ptr<lumaro::Dll> Dll() const { return dll_; }
    void Dll(std::shared_ptr<lumaro::Dll> dll) { dll_ = std::move(dll); }

    TypeBaseBis BaseBis() const { return baseBis_; }
    void BaseBis(TypeBaseBis baseBis) { baseBis_ = baseBis; }
    QString DureePrevue() const { return dureePrevue_; }
    void DureePrevue(const QString& duree) { dureePrevue_ = duree; }
    long IdQuestion() const { return idQuestion_; }
    // Also derives BaseBis: a decimal text of exactly 6 characters is a base question.
    void IdQuestion(long id);
    long Instance() const { return instance_; }
    void Instance(long instance) { instance_ = instance; }
    QString Intitule() const { return intitule_; }
    void Intitule(const QString& intitule) { intitule_ = intitule; }
    bool HasVideoCorrige() const { return hasVideoCorrige_; }
    void HasVideoCorrige(bool has) { hasVideoCorrige_ = has; }
    bool HasVideoLecon() const { return hasVideoLecon_; }
    void HasVideoLecon(bool has) { hasVideoLecon_ = has; }
    QString HtmlQuestion() const { return htmlQuestion_; }
    void HtmlQuestion(const QString& html) { htmlQuestion_ = html; }
    QString HtmlBravo() const { return htmlBravo_; }
    void HtmlBravo(const QString& html) { htmlBravo_ = html; }

    void Destroy();

private:
    LumaroContext& context_;
    long idQuestion_ = 0;
    TypeBaseBis baseBis_ = QuestionBis;
    long instance_ = 0;
    QString intitule_, dureePrevue_, htmlQuestion_, htmlBravo_;
    bool hasVideoLecon_ = false;
    bool hasVideoCorrige_ = false;
    QStringList fichiers_;
    platform::KeyedCollection<Reponse> reponses_;
    std::shared_ptr<lumaro::Dll> dll_;
};

}  // namespace lumaro
