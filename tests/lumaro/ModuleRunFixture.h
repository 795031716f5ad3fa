#pragma once

#include "lumaro/ModelFixture.h"

namespace lumaro_test {

// A module of application 12 in simplified mode, its exercise files under the
// fixtures' root, whose host's clock runs 45 minutes ahead of the local one.
class ModuleRunTest : public ModelTest {
protected:
    ModuleRunTest()
    {
        root = std::make_unique<lumaro::ContexteManager>(context);
        root->CreateManager(lumaro::TypeSimplifie, platform::OleDate(localSerial() + days(45 * 60)));
        root->AddAppli(12);
        appli = root->Appli(12);
        root->CreateModule();
        module = root->ModuleEnCours();
        module->Appli(appli);
        context.xmlCheminServeur = fixturesRoot();
    }

    std::shared_ptr<lumaro::Question> addQuestion(long id, long instance, long dllId, const QString& nom)
    {
        return lumaro_test::addQuestion(*appli, id, instance, dllId, nom);
    }

    std::shared_ptr<lumaro::Appli> appli;
    std::shared_ptr<lumaro::Module> module;
};

}  // namespace lumaro_test
