#pragma once

#include "lumaro/model/Appli.h"
#include "lumaro/model/ContexteManager.h"
#include "lumaro/model/Dll.h"
#include "lumaro/model/LanguageReader.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/ModuleInterractif.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/RuntimeError.h"

#include "support/ManualClock.h"
#include "support/TempDir.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

namespace lumaro_test {

inline QString fixturesRoot()
{
    return QStringLiteral(LUMARO_FIXTURES) + QLatin1Char('/');
}

inline QString componentsFolder()
{
    return QStringLiteral(LUMARO_TEST_COMPONENTS_DIR);
}

// Days in a number of seconds, for comparing model dates.
inline double days(double seconds)
{
    return seconds / 86400.0;
}

class FakeLanguage final : public lumaro::LanguageReader {
public:
    QHash<QString, QString> messages;
    QString GetMessage(const QString& key) override { return messages.value(key); }
};

class FakeComplement final : public lumaro::ModuleComplement {
public:
    explicit FakeComplement(QStringList texts) : texts_(std::move(texts)) {}
    long Count() override { return long(texts_.size()); }
    QString Item(long index) override { return texts_.value(qsizetype(index - 1)); }

private:
    QStringList texts_;
};

// An interactive component registered in the process: it logs each slot it is
// called on ("5 3 /cours", "7", ...) and answers what the test sets. A slot in
// `missing` throws error 438, one in `broken` a plain exception.
class FakeComponent final : public lumaro::ModuleInterractif {
public:
    QStringList calls;
    QString letter;
    bool generale = false;
    bool nuance = false;
    QStringList complements;
    QSet<int> missing;
    QSet<int> broken;
    long handleGiven = 77;
    // Called once, on the next call of that slot, as a handler calling back into the model.
    int reenterSlot = -1;
    std::function<void()> reenter;

    bool BravoNuance() override
    {
        record(0);
        return nuance;
    }
    std::shared_ptr<lumaro::ModuleComplement> Complement() override
    {
        record(1);
        return std::make_shared<FakeComplement>(complements);
    }
    QString CauseErreur() override
    {
        record(2);
        return letter;
    }
    bool ErreurGenerale() override
    {
        record(3);
        return generale;
    }
    void FermeQuestion() override { record(4); }
    void InitQuestion(long instance, const QString& folder, std::shared_ptr<QObject>& application, long& handle,
                      long reserved) override
    {
        record(5, QStringLiteral(" %1 %2 %3 %4").arg(instance).arg(folder).arg(handle).arg(reserved));
        if (!application)
            application = std::make_shared<QObject>();
        handle = handleGiven;
    }
    void QuitteApplication(std::shared_ptr<QObject>& application, bool& flag) override
    {
        record(6, QStringLiteral(" %1 %2").arg(application ? QStringLiteral("app") : QStringLiteral("-"),
                                             flag ? QStringLiteral("True") : QStringLiteral("False")));
    }
    void TestePoint() override { record(7); }

private:
    void record(int slot, const QString& detail = QString())
    {
        calls << QString::number(slot) + detail;
        if (slot == reenterSlot && reenter)
            std::exchange(reenter, nullptr)();
        if (missing.contains(slot))
            throw platform::RuntimeError(platform::MemberNotSupported);
        if (broken.contains(slot))
            throw std::runtime_error("component failure");
    }
};

// A question of the application on the component of that identifier and
// name, the component added on first use.
inline std::shared_ptr<lumaro::Question> addQuestion(lumaro::Appli& appli, long id, long instance, long dllId,
                                                     const QString& nom)
{
    if (!appli.Dll(dllId)) {
        appli.AddDll(dllId);
        appli.Dll(dllId)->Nom(nom);
    }
    appli.AddQuestion(id);
    const auto question = appli.Question(id);
    question->Instance(instance);
    question->Dll(appli.Dll(dllId));
    return question;
}

// A fresh process state per test, on a manual clock, with no component folder
// and no exercise engine (the tests that need one supply it).
class ModelTest : public testsupport::TempDirTest {
protected:
    ModelTest()
    {
        context.components.setFolders({});
        context.langue = language;
    }

    // A root in simplified mode whose clock is one hour behind the local clock.
    lumaro::ContexteManager& simplifiedRoot(double offsetSeconds = 3600.0)
    {
        root = std::make_unique<lumaro::ContexteManager>(context);
        root->CreateManager(lumaro::TypeSimplifie, platform::OleDate(localSerial() - days(offsetSeconds)));
        return *root;
    }

    // A registered component of that name, handed to the test.
    std::shared_ptr<FakeComponent> registerFake(const QString& name = QStringLiteral("Tableur"))
    {
        auto component = std::make_shared<FakeComponent>();
        context.components.registerComponent(name, [component] { return component; });
        return component;
    }

    double localSerial() const { return platform::OleDate::fromDateTime(clock.now())->serial(); }

    testsupport::ManualClock clock;
    std::shared_ptr<FakeLanguage> language = std::make_shared<FakeLanguage>();
    lumaro::LumaroContext context{clock};
    std::unique_ptr<lumaro::ContexteManager> root;
};

}  // namespace lumaro_test
