#pragma once

#include "SessionFixture.h"

#include "lumaro/model/Reponse.h"
#include "lumaro/model/ReponseGenerale.h"

#include <QLabel>
#include <QRegularExpression>

#include <initializer_list>

namespace lumaro_test {

// A session whose questions run on the interactive component "Tableur", whose
// scoring the test sets, or on the exercise engine.
class AnswerTest : public SessionTest {
protected:
    // Questions 120001, 120002... on the interactive component "Tableur", whose
    // scoring the test sets, with the general answers "#S", "%R", "%#" and "G".
    void startInteractive(int count = 2)
    {
        component = registerFake();
        for (int i = 1; i <= count; ++i)
            addInteractive(120000 + i, i);
        for (const auto& [letter, text] : {std::pair {"#S", "Suite"}, {"%R", "Retour"}, {"%#", "Mixte"},
                 {"G", "Encore"}})
            generalAnswer(letter, text);
        startModule();
    }

    // Questions 120001... on the interactive component, their results loaded
    // shown as given, each with the particular answer "B", with the general
    // answers "#S" and "TP".
    void startShown(std::initializer_list<long> shown)
    {
        component = registerFake();
        long instance = 0;
        for (const long type : shown) {
            ++instance;
            addInteractive(120000 + instance, instance, type);
            particularAnswer(*questions.back(), "B", "Faux");
        }
        generalAnswer("#S", "Suite");
        generalAnswer("TP", "Temps écoulé");
        startModule();
    }

    // A question on the interactive component, its text a page of the
    // application, its result loaded shown as `shown`.
    void addInteractive(long id, long instance, long shown = lumaro::PasDeResultat)
    {
        writeFile("html/question.htm", "<p>Question</p>");
        writeFile("html/bravo.htm", "<p>Bravo, et voici pourquoi.</p>");
        appli->PathHTML(dir() + "html/");
        appli->PathHTMLBis(dir() + "htmlbis/");
        const auto question = addQuestion(id, instance, 2, QStringLiteral("Tableur"), shown);
        question->Intitule(QStringLiteral("Question %1").arg(id));
        question->HtmlQuestion("question.htm");
        question->HtmlBravo("bravo.htm");
        questions.push_back(question);
    }

    // Questions on the exercise engine, on the fixtures' exercises 1, 2, 3, 1...
    void startExerva(int count = 2)
    {
        for (int i = 1; i <= count; ++i)
            questions.push_back(addExervaQuestion(120000 + i, (i - 1) % 3 + 1));
        startModule();
    }

    // A new session on an empty module of a new application 12, for the next case of a table.
    void freshModule()
    {
        questions.clear();
        module->Destroy();
        appli->Destroy();
        appli = std::make_shared<lumaro::Appli>(context);
        appli->IdAppli(12);
        appli->PathFiles(dir() + QStringLiteral("files/"));
        module->Appli(appli);
        module->TypeModule(lumaro::TYPEformation);
        events.raised.clear();
        boxes = platform::ScriptedMessageBoxes();
        makeManager();
    }

    // An evaluation of two questions with one minute for the module, half a minute gone.
    void startTimedEvaluation()
    {
        freshModule();
        evaluation(2, "0:01");
        startInteractive();
        generalAnswer("TP", "Temps écoulé");
        clock.advanceSeconds(30);
    }

    void startModule()
    {
        if (module->TypeModule() != lumaro::TYPEevaluation && module->TypeModule() != lumaro::TYPEevalOuForm)
            module->TypeModule(lumaro::TYPEformation);
        ASSERT_TRUE(create());
        ASSERT_TRUE(manager->InitManager(1))
            << manager->StateEnCours() << " " << manager->LastErrorString().toStdString();
        windows.calls.clear();
    }

    void generalAnswer(const QString& letter, const QString& text)
    {
        const auto dll = questions.front()->Dll();
        dll->AddReponse(letter);
        dll->GetReponse(letter)->Message(text);
    }

    static void particularAnswer(lumaro::Question& question, const QString& letter, const QString& text)
    {
        question.AddReponse(letter);
        question.GetReponse(letter)->MessageEcran(text);
    }

    // The component's next scoring.
    void score(const QString& letter, bool generale = false, bool nuance = false)
    {
        component->letter = letter;
        component->generale = generale;
        component->nuance = nuance;
    }

    // How often the component started an exercise.
    qsizetype starts() const { return component->calls.filter(QRegularExpression("^5 ")).size(); }

    lumaro::ResultQuestion& result(long index) const { return *module->ResultQuestions(index); }
    QString onDisplay() const { return window().lblNumQuestion()->text(); }
    bool feedbackShown() const
    {
        return window().ImageVictory()->isVisible() || window().ImageCloud()->isVisible();
    }

    std::shared_ptr<FakeComponent> component;
    std::vector<std::shared_ptr<lumaro::Question>> questions;
};

} // namespace lumaro_test
