#include "ExoApp.h"

#include "Dll.h"
#include "LumaroContext.h"
#include "ModuleInterractif.h"
#include "TrapError.h"

namespace lumaro {

ExoApp::ExoApp(LumaroContext& context) : context_(context) {}

ExoApp::~ExoApp() = default;

void ExoApp::Fermer()
{
    const auto error = trapError([&] {
        const auto dll = dll_;
        const auto component = platform::require(dll).DllInterractive();
        platform::require(component).FermeQuestion();
    });
    if (!error)
        return;
    context_.storeError(*error);
    context_.trace.write(tracel::TypeClass, QStringLiteral("ExoApp"),
                         QStringLiteral("erreur kav %1 : %2").arg(error->number()).arg(error->text()));
}

QString ExoApp::Fichier(long ilItem) const
{
    if (ilItem < 1 || ilItem > fichiers_.size()) {
        context_.storeError(platform::RuntimeError(platform::SubscriptOutOfRange));
        return {};
    }
    return fichiers_.at(qsizetype(ilItem - 1));
}

void ExoApp::AddFichier(const QString& isFichier)
{
    fichiers_.append(isFichier);
}

void ExoApp::Destroy()
{
    dll_.reset();
}

}  // namespace lumaro
