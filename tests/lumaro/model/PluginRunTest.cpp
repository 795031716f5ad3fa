// A whole module on a real interactive component plug-in, the way the
// question player drives the model.

#include "lumaro/ModuleRunFixture.h"

#include "lumaro/model/Reponse.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using namespace lumaro;

// The real component plug-in, found in the component folder by its name.
class PluginRunTest : public lumaro_test::ModuleRunTest {
protected:
    PluginRunTest() { context.components.setFolders({path("empty"), lumaro_test::componentsFolder()}); }
    ~PluginRunTest() override
    {
        for (const char* name :
             {"LumaroTestComponent.calls", "LumaroTestComponent.letter", "LumaroTestComponent.missingSlot"})
            QCoreApplication::instance()->setProperty(name, QVariant());
    }

    static QStringList calls()
    {
        return QCoreApplication::instance()->property("LumaroTestComponent.calls").toStringList();
    }
};

TEST_F(PluginRunTest, AModuleOnAnInteractiveComponentPlugIn)
{
    const auto q1 = addQuestion(120001, 1, 1, "lumarotest");
    const auto q2 = addQuestion(120002, 2, 1, "lumarotest");
    q2->AddReponse("C");
    q2->GetReponse("C")->MessageEcran("Voir #1 en #2");
    module->AddResultQuestion(120001);
    module->AddResultQuestion(120002);
    const auto dll = appli->Dll(1);

    ASSERT_TRUE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(dll->TypeDll(), 1);
    EXPECT_EQ(appli->HandleApplicationInteractive(), 4242);
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_TRUE(dll->PointBravo());
    q1->Fermer();

    QCoreApplication::instance()->setProperty("LumaroTestComponent.letter", "C");
    ASSERT_TRUE(module->InitInterractif(2, "/cours/"));
    ASSERT_TRUE(dll->TestePoint());
    EXPECT_EQ(dll->PointCauseErreur(), "C");
    const auto complement = dll->DllInterractive()->Complement();
    ASSERT_EQ(complement->Count(), 2);
    EXPECT_EQ(complement->Item(1).trimmed(), "cellule A1");
    q2->Fermer();
    EXPECT_TRUE(root->Destroy());

    EXPECT_EQ(calls(), (QStringList{"5 1 /cours/", "7", "2", "3", "0", "4", "5 2 /cours/", "7", "2", "3", "0", "1",
                                    "4", "6 TaughtApplication True"}));
    EXPECT_FALSE(dll->Chargee());
}

TEST_F(PluginRunTest, APlugInWithoutTheStartSlotIsTheApplicationsFailure)
{
    QCoreApplication::instance()->setProperty("LumaroTestComponent.missingSlot", 5);
    addQuestion(120001, 1, 1, "LumaroTest");
    module->AddResultQuestion(120001);
    EXPECT_FALSE(module->InitInterractif(1, "/cours/"));
    EXPECT_EQ(root->StateEnCours(), basalo::enuFunctionReturnState_Lumaro_Module_InitInterractif_ErreurAppli);
    EXPECT_EQ(root->LastErrorNumber(), 0);
    EXPECT_EQ(calls(), QStringList{"5 1 /cours/"});
}

}  // namespace
