#include "Appli.h"

#include "AppliIndex.h"
#include "Dll.h"
#include "LumaroContext.h"
#include "ModuleInterractif.h"
#include "Parcours.h"
#include "Question.h"
#include "Video.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"

namespace lumaro {

namespace {

const QString unitName = QStringLiteral("Appli");

// Destroys the last object and removes it until the collection is empty.
template <typename T>
void destroyAll(platform::KeyedCollection<T>& collection)
{
    // Each item leaves the collection before its Destroy runs, so that a
    // Destroy which changes the collection never makes another item go undestroyed.
    while (!collection.isEmpty()) {
        const auto item = collection.at(collection.count());
        collection.removeAt(collection.count());
        if (item)
            item->Destroy();
    }
}

}  // namespace

Appli::Appli(LumaroContext& context)
    : context_(context), parcours_(std::make_shared<platform::KeyedCollection<lumaro::Parcours>>())
{
}

Appli::~Appli() = default;

long Appli::UnlockWindow()
{
    return 1;
}

void Appli::DechargerAppliInterractive()
{
    tracel::TraceScope scope(context_.trace, tracel::TypeClass, unitName,
                             QStringLiteral("Public Sub DechargerAppliInterractive"));
    const auto error = platform::trapError(platform::AutomationError, [&] {
        for (const auto& dll : dlls_.items()) {
            if (!dll->Chargee())
                continue;
            scope.line(QStringLiteral("Déchargement de ") + dll->Nom());
            if (dll->TypeDll() == 1) {
                // The component's own failure to end the application must not stop the unloading.
                platform::trapError(platform::AutomationError, [&] {
                    bool flag = true;
                    platform::require(dll->DllInterractive()).QuitteApplication(applicationInteractive_, flag);
                });
                dll->DllInterractive(nullptr);
            } else {
                long code = 0;
                const auto quitError = platform::trapError(platform::AutomationError, [&] { code = platform::require(dll->DllExerva()).Quitter(); });
                if (quitError) {
                    scope.line(QStringLiteral("DllExerva.Quitter a provoqué une erreur non gérée"));
                } else {
                    context_.pulStateEnCours = code;
                    if (code != basalo::enuFunctionReturnState_General_Traitement_OK)
                        scope.line(QStringLiteral("DllExerva.Quitter <> enuFunctionReturnState_General_Traitement_OK"));
                    context_.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
                }
                dll->DllExerva(nullptr);
            }
            dll->Chargee(false);
            dll->TypeDll(0);
        }
        applicationInteractive_.reset();
    });
    if (error)
        scope.line(tracel::errorLine(*error));
}

bool Appli::AddDll(long ilIdDll)
{
    return dlls_.add(QStringLiteral("Dll") + QString::number(ilIdDll), std::make_shared<lumaro::Dll>(context_));
}

std::shared_ptr<Dll> Appli::Dll(long ilIdDll) const
{
    return dlls_.item(QStringLiteral("Dll") + QString::number(ilIdDll));
}

std::shared_ptr<AppliIndex> Appli::AppliIndex()
{
    if (!appliIndex_)
        appliIndex_ = std::make_shared<lumaro::AppliIndex>();
    return appliIndex_;
}

std::shared_ptr<Parcours> Appli::Parcours(long ilIdParcours) const
{
    return parcours_->item(QStringLiteral("Parcours") + QString::number(ilIdParcours));
}

bool Appli::ParcoursAccede(long ilIdParcours)
{
    context_.parcoursEnCours = Parcours(ilIdParcours);
    if (!context_.parcoursEnCours)
        return false;
    context_.parcoursEnCours->DebutParcours(context_.modelNow());
    return true;
}

void Appli::ParcoursQuitte(long)
{
    context_.parcoursEnCours.reset();
}

bool Appli::AddParcours(long ilIdParcours)
{
    auto parcours = std::make_shared<lumaro::Parcours>(context_);
    parcours->IdParcours(ilIdParcours);
    return parcours_->add(QStringLiteral("Parcours") + QString::number(ilIdParcours), std::move(parcours));
}

QString Appli::videoKey(const QString& type, long ilIdQuestion)
{
    return type.toUpper() + QString::number(ilIdQuestion);
}

bool Appli::addVideo(long ilIdQuestion, const QString& isType)
{
    return videos_.add(videoKey(isType, ilIdQuestion), std::make_shared<Video>());
}

std::shared_ptr<Video> Appli::VideoByType(long ilIdQuestion, const QString& isType) const
{
    return videos_.item(videoKey(isType, ilIdQuestion));
}

bool Appli::addLecon(long ilIdQuestion)
{
    return addVideo(ilIdQuestion, QStringLiteral("L"));
}

std::shared_ptr<Video> Appli::Lecon(long ilIdQuestion) const
{
    return VideoByType(ilIdQuestion, QStringLiteral("L"));
}

bool Appli::addCorrige(long ilIdQuestion)
{
    return addVideo(ilIdQuestion, QStringLiteral("C"));
}

std::shared_ptr<Video> Appli::Corrige(long ilIdQuestion) const
{
    return VideoByType(ilIdQuestion, QStringLiteral("C"));
}

bool Appli::AddQuestion(long ilIdQuestion)
{
    const QString key = QStringLiteral("Question") + QString::number(ilIdQuestion);
    if (questions_.contains(key))
        return false;
    auto question = std::make_shared<lumaro::Question>(context_);
    question->IdQuestion(ilIdQuestion);
    return questions_.add(key, std::move(question));
}

std::shared_ptr<Question> Appli::Question(long ilIdQuestion) const
{
    return questions_.item(QStringLiteral("Question") + QString::number(ilIdQuestion));
}

void Appli::Destroy()
{
    destroyAll(dlls_);
    destroyAll(*parcours_);
    destroyAll(videos_);
    destroyAll(questions_);
}

void Appli::UnloadParcours()
{
    destroyAll(*parcours_);
}

}  // namespace lumaro
