#pragma once

#include <QString>

namespace lumaro {

// The general feedback of an exercise component for one answer letter, used
// when a question has no particular answer for that letter.
class ReponseGenerale {
public:
    long IdReponse() const { return idReponse_; }
    void IdReponse(long id) { idReponse_ = id; }
    QString Lettre() const { return lettre_; }
    void Lettre(const QString& lettre) { lettre_ = lettre; }
    QString Message() const { return message_; }
    void Message(const QString& message) { message_ = message; }

private:
    long idReponse_ = 0;
    QString lettre_;
    QString message_;
};

}  // namespace lumaro
