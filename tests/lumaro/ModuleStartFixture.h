#pragma once

#include "lumaro/ModelFixture.h"

namespace lumaro_test {

// A module of application 12 being played in simplified mode, its exercise
// files under the fixtures' root.
class ModuleStartTest : public ModelTest {
protected:
    ModuleStartTest()
    {
        auto& contexte = simplifiedRoot();
        contexte.AddAppli(12);
        appli = contexte.Appli(12);
        appli->Logiciel("Tableur");
        appli->Version("2003");
        contexte.CreateModule();
        module = contexte.ModuleEnCours();
        module->Appli(appli);
        context.xmlCheminServeur = fixturesRoot();
        language->messages.insert("FRMbarre_errObject", "Composant absent.%1Logiciel %2 version %3");
    }

    // A question of the module on the component of that identifier and name.
    std::shared_ptr<lumaro::Question> addQuestion(long id, long instance, long dllId, const QString& nom)
    {
        auto question = lumaro_test::addQuestion(*appli, id, instance, dllId, nom);
        module->AddResultQuestion(id);
        return question;
    }

    QString trace() const { return QString::fromUtf8(readFile("Lumaro.htm")); }

    std::shared_ptr<lumaro::Appli> appli;
    std::shared_ptr<lumaro::Module> module;
};

}  // namespace lumaro_test
