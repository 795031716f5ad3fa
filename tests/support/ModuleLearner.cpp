#include "support/ModuleLearner.h"

#include "exerva/controls/KavBO.h"
#include "exerva/controls/KavCC.h"
#include "exerva/controls/KavESP.h"
#include "exerva/controls/KavPAT.h"
#include "exerva/frmCT.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/player/Manager.h"
#include "lumaro/player/frmClient.h"

#include "toolkit/uctButton.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace testsupport {

namespace {

    // A button the learner can reach: on screen, in an enabled window.
    bool pressAsLearner(toolkit::uctButton* button)
    {
        if (!button || !button->isVisible() || !button->isEnabled())
            return false;
        button->click();
        return true;
    }

} // namespace

ModuleLearner::ModuleLearner(lumaro::Manager& manager, lumaro::LumaroContext& context)
    : manager_(manager)
    , context_(context)
{
}

lumaro::frmClient* ModuleLearner::questionWindow() const
{
    return manager_.questionWindow();
}

exerva::frmCT* ModuleLearner::exercise() const
{
    const auto module = context_.puoModuleEnCours;
    const auto appli = module ? module->Appli() : nullptr;
    if (!appli)
        return nullptr;
    exerva::frmCT* window = exerva::frmCT::fromWindowId(appli->HandleApplicationInteractive());
    return window && window->isVisible() ? window : nullptr;
}

template <typename Control>
Control* ModuleLearner::control(const QString& name) const
{
    exerva::frmCT* window = exercise();
    return window ? dynamic_cast<Control*>(window->control(name)) : nullptr;
}

bool ModuleLearner::dropWord(const QString& name, int word, int gap)
{
    auto* esp = control<exerva::KavESP>(name);
    if (!esp || !esp->beginDragFromBank(word))
        return false;
    if (esp->dropOnGap(gap))
        return true;
    esp->cancelDrag();
    return false;
}

bool ModuleLearner::type(const QString& name, int box, const QString& text)
{
    auto* pat = control<exerva::KavPAT>(name);
    QLineEdit* edit = pat && box < pat->boxCount() ? pat->txtPAT(box) : nullptr;
    if (!edit || !edit->isVisible() || !edit->isEnabled())
        return false;
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, text);
    return true;
}

bool ModuleLearner::choose(const QString& name, int option)
{
    auto* bo = control<exerva::KavBO>(name);
    if (!bo)
        return false;
    if (bo->revealButton() && bo->revealButton()->isVisible())
        bo->pressReveal();
    return bo->chooseOption(option);
}

bool ModuleLearner::tick(const QString& name, int item)
{
    auto* cc = control<exerva::KavCC>(name);
    if (!cc)
        return false;
    if (cc->revealButton() && cc->revealButton()->isVisible())
        cc->pressReveal();
    return cc->clickTrueBox(item);
}

bool ModuleLearner::press(toolkit::uctButton* (lumaro::frmClient::*button)() const) const
{
    const auto* window = questionWindow();
    return window && pressAsLearner((window->*button)());
}

bool ModuleLearner::poursuivre() const
{
    return press(&lumaro::frmClient::kavBtnPoursuivre);
}

bool ModuleLearner::restart() const
{
    return press(&lumaro::frmClient::kavbtnRecom);
}

bool ModuleLearner::quit() const
{
    return press(&lumaro::frmClient::kavbtnQuitter);
}

bool ModuleLearner::lesson() const
{
    return press(&lumaro::frmClient::kavbtnLecon);
}

bool ModuleLearner::solution() const
{
    return press(&lumaro::frmClient::kavBtnCorrige);
}

bool ModuleLearner::help() const
{
    return press(&lumaro::frmClient::kavbtnAide);
}

} // namespace testsupport
