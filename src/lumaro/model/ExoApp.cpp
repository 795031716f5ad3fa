#include "ExoApp.h"

#include "Dll.h"
#include "LumaroContext.h"
#include "ModuleInterractif.h"

#include "platform/ErrorTrap.h"
#include "tracel/ErrorLine.h"

namespace lumaro {

namespace {

const QString unitName = QStringLiteral("ExoApp");

}  // namespace

ExoApp::ExoApp(LumaroContext& context) : context_(context) {}

ExoApp::~ExoApp() = default;

void ExoApp::Fermer()
{
    const auto error = platform::trapError(platform::AutomationError, [&] {
        const auto dll = dll_;
        const auto component = platform::require(dll).DllInterractive();
        platform::require(component).FermeQuestion();
    });
    if (!error)
        return;
    context_.lastError.store(*error);
    context_.trace.write(tracel::TypeClass, unitName, tracel::errorLine(*error));
}

QString ExoApp::Fichier(long ilItem) const
{
    if (ilItem < 1 || ilItem > fichiers_.size()) {
        context_.lastError.store(platform::RuntimeError(platform::SubscriptOutOfRange));
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
