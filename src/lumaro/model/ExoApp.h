#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace lumaro {

class Dll;
class LumaroContext;

// The exercise application of a module: one exercise run by an interactive
// component for the whole module rather than per question.
class ExoApp {
public:
    explicit ExoApp(LumaroContext& context);
    ~ExoApp();
    ExoApp(const ExoApp&) = delete;
    ExoApp& operator=(const ExoApp&) = delete;

    // Closes the exercise in the component. A failure is recorded as the
    // process's last error and traced.
    void Fermer();

    QString Nom() const { return nom_; }
    void Nom(const QString& nom) { nom_ = nom; }
    std::shared_ptr<lumaro::Dll> Dll() const { return dll_; }
    void Dll(std::shared_ptr<lumaro::Dll> dll) { dll_ = std::move(dll); }
    // The name at a 1-based index; outside 1..NbFichiers "" and error 9
    // recorded as the process's last error.
    QString Fichier(long ilItem) const;
    void AddFichier(const QString& isFichier);
    long IdExoApp() const { return idExoApp_; }
    void IdExoApp(long id) { idExoApp_ = id; }
    long NbFichiers() const { return long(fichiers_.size()); }
    long Instance() const { return instance_; }
    void Instance(long instance) { instance_ = instance; }

    void Destroy();

private:
    LumaroContext& context_;
    long idExoApp_ = 0;
    QString nom_;
    long instance_ = 0;
    QStringList fichiers_;
    std::shared_ptr<lumaro::Dll> dll_;
};

}  // namespace lumaro
