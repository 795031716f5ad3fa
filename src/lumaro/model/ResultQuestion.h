#pragma once

#include "platform/OleDate.h"

#include <QString>

#include <memory>
#include <optional>

namespace lumaro {

class LumaroContext;
class Question;

// The learner's run of one question in a module: the outcome of the last check
// and the outcome shown, the answer letter and the answer it designates, the
// feedback shown, the first access and the time spent, all on the model's clock.
class ResultQuestion {
public:
    explicit ResultQuestion(LumaroContext& context);
    ~ResultQuestion();
    ResultQuestion(const ResultQuestion&) = delete;
    ResultQuestion& operator=(const ResultQuestion&) = delete;

    std::shared_ptr<lumaro::Question> Question() const { return question_; }
    void Question(std::shared_ptr<lumaro::Question> question) { question_ = std::move(question); }

    // Starts an attempt; the first one also sets the first access.
    void Initialiser();
    // Forgets the first access, the time spent and the validation.
    void Vider();
    // Shows the last check's outcome and adds the time since the attempt started.
    void Valider();

    long TypeAffichage() const { return typeAffichage_; }
    void TypeAffichage(long type) { typeAffichage_ = type; }
    QString LettreReponse() const { return lettreReponse_; }
    // Stores the letter and resolves IdReponse from the TypeReponse set before:
    // the question's answer of that letter for a particular error, the
    // component's general answer for a general error, -1 for a bravo. A letter
    // without such an answer leaves IdReponse as it was and records error 91 as
    // the process's last error.
    void LettreReponse(const QString& lettre);
    long IdReponse() const { return idReponse_; }
    void IdReponse(long id) { idReponse_ = id; }
    long TypeReponse() const { return typeReponse_; }
    void TypeReponse(long type) { typeReponse_ = type; }
    QString MessageEcranAffiche() const { return messageEcranAffiche_; }
    void MessageEcranAffiche(const QString& message) { messageEcranAffiche_ = message; }
    // Time spent, as a duration text.
    QString Duree() const;
    // 0 until the first Initialiser.
    platform::OleDate DatePremierAcces() const { return datePremierAcces_; }

    long IdQuestion() const { return idQuestion_; }
    void IdQuestion(long id) { idQuestion_ = id; }

    bool Valide() const { return valide_; }

private:
    LumaroContext& context_;
    std::shared_ptr<lumaro::Question> question_;
    long idQuestion_ = 0;
    long typeReponse_ = 0;
    long typeAffichage_ = 0;
    QString lettreReponse_;
    long idReponse_ = 0;
    QString messageEcranAffiche_;
    platform::OleDate datePremierAcces_;
    // Start of the attempt not yet counted; none once Valider has counted it.
    std::optional<platform::OleDate> debutCourant_;
    double duree_ = 0.0;
    bool valide_ = false;
};

}  // namespace lumaro
