#pragma once

#include "lumaro/model/ExerciseEngine.h"
#include "lumaro/model/LumaroContext.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace lumaro_test {

// An exercise engine that logs each call ("Prepare /cours/ False 12",
// "InitQuestion X1211.xml 1 1", "TestePoint", ...) and answers what the test
// sets: a code per operation, the outcome of the scoring, the last error to
// hand back, and an operation that throws instead.
class FakeExerciseEngine final : public lumaro::ExerciseEngine {
public:
    QStringList calls;
    long prepareCode = 1;
    long initQuestionCode = 1;
    long testePointCode = 1;
    long fermePointCode = 1;
    long quitterCode = 1;
    bool bravo = true;
    QString letter;
    long windowId = 501;
    long errorNumber = 0;
    QString errorText;
    // The operation ("Prepare", "TestePoint", ...) that throws a plain exception.
    QString broken;

    long LevelTracelage() const override { return level_; }
    void LevelTracelage(long level) override
    {
        calls << QStringLiteral("LevelTracelage %1").arg(level);
        level_ = level;
    }
    QString PathTracel() const override { return folder_; }
    void PathTracel(const QString& folder) override
    {
        calls << QStringLiteral("PathTracel ") + folder;
        folder_ = folder;
    }
    long LastErrorNumber() override { return std::exchange(errorNumber, 0); }
    QString LastErrorDescription() override { return std::exchange(errorText, QString()); }
    long Prepare(const QString& isCheminRoot, bool ibModeInet, long ilIdAppli) override
    {
        call(QStringLiteral("Prepare %1 %2 %3")
                 .arg(isCheminRoot, ibModeInet ? QStringLiteral("True") : QStringLiteral("False"))
                 .arg(ilIdAppli));
        return prepareCode;
    }
    long InitQuestion(QString& isFileXML, long ilInstance, long ieTypeBaseBis) override
    {
        call(QStringLiteral("InitQuestion %1 %2 %3").arg(isFileXML).arg(ilInstance).arg(ieTypeBaseBis));
        return initQuestionCode;
    }
    long TestePoint() override
    {
        call(QStringLiteral("TestePoint"));
        return testePointCode;
    }
    long FermePoint() override
    {
        call(QStringLiteral("FermePoint"));
        return fermePointCode;
    }
    long Quitter() override
    {
        call(QStringLiteral("Quitter"));
        return quitterCode;
    }
    bool Bravo() const override { return bravo; }
    QString LettreReponse() const override { return letter; }
    long HandlefrmCT() const override { return windowId; }

private:
    void call(const QString& line)
    {
        calls << line;
        if (line.section(QLatin1Char(' '), 0, 0) == broken)
            throw std::runtime_error("engine failure");
    }

    long level_ = 0;
    QString folder_;
};

// Supplies a context with fake engines and keeps each one it made, the last
// one last, for the test to arrange and inspect.
class FakeEngines {
public:
    void install(lumaro::LumaroContext& context)
    {
        context.engineFactory = [this] {
            made.push_back(std::make_shared<FakeExerciseEngine>());
            if (arrange)
                arrange(*made.back());
            return made.back();
        };
    }
    FakeExerciseEngine& last() const { return *made.back(); }

    std::vector<std::shared_ptr<FakeExerciseEngine>> made;
    // Runs on each engine as it is made, before the model uses it.
    std::function<void(FakeExerciseEngine&)> arrange;
};

}  // namespace lumaro_test
