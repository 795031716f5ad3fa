#pragma once

#include <QString>

namespace lumaro {

// The particular feedback of a question for one answer letter.
class Reponse {
public:
    long IdReponse() const { return idReponse_; }
    void IdReponse(long id) { idReponse_ = id; }
    QString Lettre() const { return lettre_; }
    void Lettre(const QString& lettre) { lettre_ = lettre; }
    QString MessageEcran() const { return messageEcran_; }
    void MessageEcran(const QString& message) { messageEcran_ = message; }

private:
    long idReponse_ = 0;
    QString lettre_;
    QString messageEcran_;
};

}  // namespace lumaro
