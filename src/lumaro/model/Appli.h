#pragma once

#include "platform/KeyedCollection.h"

#include <QObject>
#include <QString>

#include <memory>

namespace lumaro {

class AppliIndex;
class Dll;
class LumaroContext;
class Parcours;
class Question;
class Video;

// One taught software application of the course: its exercise components, its
// learning paths, its questions and their lesson and solution videos, the
// folders and addresses of its files, and, while exercises run, the live
// instance of the application that the interactive components opened.
//
// Questions and videos are kept apart ("Question" & id; "L", "C" or the
// upper-cased type & id), so that no video type can ever be taken for a
// question; addLecon(q) and addVideo(q, "L") still name the same video.
class Appli {
public:
    explicit Appli(LumaroContext& context);
    ~Appli();
    Appli(const Appli&) = delete;
    Appli& operator=(const Appli&) = delete;

    // Window drawing is never locked here, so unlocking always succeeds (non-zero).
    long UnlockWindow();

    // The live taught application opened by the interactive components (null: none).
    std::shared_ptr<QObject> ApplicationInteractive() const { return applicationInteractive_; }
    void ApplicationInteractive(std::shared_ptr<QObject> application) { applicationInteractive_ = std::move(application); }
    // Its main window; -1 when none is known.
    long HandleApplicationInteractive() const { return handleApplicationInteractive_; }
    void HandleApplicationInteractive(long handle) { handleApplicationInteractive_ = handle; }

    // Closes the live application and unloads every loaded exercise component.
    void DechargerAppliInterractive();

    bool AddDll(long ilIdDll);
    std::shared_ptr<lumaro::Dll> Dll(long ilIdDll) const;

    // The alphabetical index, created on first reading.
    std::shared_ptr<lumaro::AppliIndex> AppliIndex();

    std::shared_ptr<lumaro::Parcours> Parcours(long ilIdParcours) const;
    // Makes the path current and starts its clock; False and no current path when it is not held.
    bool ParcoursAccede(long ilIdParcours);
    void ParcoursQuitte(long ilIdParcours);
    std::shared_ptr<platform::KeyedCollection<lumaro::Parcours>> CollectionParcours() const { return parcours_; }
    bool AddParcours(long ilIdParcours);

    bool addVideo(long ilIdQuestion, const QString& isType);
    std::shared_ptr<Video> VideoByType(long ilIdQuestion, const QString& isType) const;
    bool addLecon(long ilIdQuestion);
    std::shared_ptr<Video> Lecon(long ilIdQuestion) const;
    bool addCorrige(long ilIdQuestion);
    std::shared_ptr<Video> Corrige(long ilIdQuestion) const;

    bool AddQuestion(long ilIdQuestion);
    std::shared_ptr<lumaro::Question> Question(long ilIdQuestion) const;

    long IdAppli() const { return idAppli_; }
    void IdAppli(long id) { idAppli_ = id; }

    QString Logiciel() const { return logiciel_; }
    void Logiciel(const QString& value) { logiciel_ = value; }
    QString PathVideo() const { return pathVideo_; }
    void PathVideo(const QString& value) { pathVideo_ = value; }
    QString URLVideo() const { return urlVideo_; }
    void URLVideo(const QString& value) { urlVideo_ = value; }
    QString URLLivre() const { return urlLivre_; }
    void URLLivre(const QString& value) { urlLivre_ = value; }
    QString PathHTMLBis() const { return pathHtmlBis_; }
    void PathHTMLBis(const QString& value) { pathHtmlBis_ = value; }
    QString PathHTML() const { return pathHtml_; }
    void PathHTML(const QString& value) { pathHtml_ = value; }
    QString PathDllBis() const { return pathDllBis_; }
    void PathDllBis(const QString& value) { pathDllBis_ = value; }
    QString PathDll() const { return pathDll_; }
    void PathDll(const QString& value) { pathDll_ = value; }
    QString PathFiles() const { return pathFiles_; }
    void PathFiles(const QString& value) { pathFiles_ = value; }
    QString PathFilesBis() const { return pathFilesBis_; }
    void PathFilesBis(const QString& value) { pathFilesBis_ = value; }
    QString PathServerHTMLBis() const { return pathServerHtmlBis_; }
    void PathServerHTMLBis(const QString& value) { pathServerHtmlBis_ = value; }
    QString PathServerHTML() const { return pathServerHtml_; }
    void PathServerHTML(const QString& value) { pathServerHtml_ = value; }
    QString PathServerDllBis() const { return pathServerDllBis_; }
    void PathServerDllBis(const QString& value) { pathServerDllBis_ = value; }
    QString PathServerDll() const { return pathServerDll_; }
    void PathServerDll(const QString& value) { pathServerDll_ = value; }
    QString PathServerFiles() const { return pathServerFiles_; }
    void PathServerFiles(const QString& value) { pathServerFiles_ = value; }
    QString PathServerFilesBis() const { return pathServerFilesBis_; }
    void PathServerFilesBis(const QString& value) { pathServerFilesBis_ = value; }
    QString Version() const { return version_; }
    void Version(const QString& value) { version_ = value; }
    QString NomIcone() const { return nomIcone_; }
    void NomIcone(const QString& value) { nomIcone_ = value; }

    // Destroys and removes the components, the paths, the videos and the
    // questions, last first. The live application is left alone.
    void Destroy();
    // The same for the paths alone.
    void UnloadParcours();

private:
    static QString videoKey(const QString& type, long ilIdQuestion);

    LumaroContext& context_;
    long idAppli_ = 0;
    platform::KeyedCollection<lumaro::Dll> dlls_;
    std::shared_ptr<platform::KeyedCollection<lumaro::Parcours>> parcours_;
    platform::KeyedCollection<Video> videos_;
    platform::KeyedCollection<lumaro::Question> questions_;
    std::shared_ptr<lumaro::AppliIndex> appliIndex_;
    std::shared_ptr<QObject> applicationInteractive_;
    long handleApplicationInteractive_ = -1;

    QString logiciel_, pathVideo_, urlVideo_, urlLivre_, pathHtmlBis_, pathHtml_, pathDllBis_, pathDll_, pathFiles_,
        pathFilesBis_, pathServerHtmlBis_, pathServerHtml_, pathServerDllBis_, pathServerDll_, pathServerFiles_,
        pathServerFilesBis_, version_, nomIcone_;
};

}  // namespace lumaro
