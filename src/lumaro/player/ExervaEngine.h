#pragma once

#include "lumaro/model/ExerciseEngine.h"

#include "exerva/ControlRegistry.h"
#include "exerva/ExervaContext.h"
#include "exerva/Manager.h"
#include "platform/Clock.h"

namespace lumaro {

class LumaroContext;

// The real exercise engine behind the course model's engine interface: each
// object owns one exerva::Manager and hands every call to it unchanged.
class ExervaEngine final : public ExerciseEngine {
public:
    ExervaEngine(exerva::ExervaContext& context, const exerva::ControlRegistry& controls,
                 const platform::Clock& clock);

    // Makes the context play its "EXERVA" components on the real engine, in
    // windows of the Qt window system (where the engine's window ids are
    // known). Every engine shares the engine state and the controls given;
    // both must outlive the context's engines.
    static void install(LumaroContext& context,
                        exerva::ExervaContext& engineContext = exerva::ExervaContext::processDefault(),
                        const exerva::ControlRegistry& controls = exerva::systemControlRegistry());

    long LevelTracelage() const override { return manager_.LevelTracelage(); }
    void LevelTracelage(long level) override { manager_.LevelTracelage(level); }
    QString PathTracel() const override { return manager_.PathTracel(); }
    void PathTracel(const QString& folder) override { manager_.PathTracel(folder); }
    long LastErrorNumber() override { return manager_.LastErrorNumber(); }
    QString LastErrorDescription() override { return manager_.LastErrorDescription(); }
    long Prepare(const QString& isCheminRoot, bool ibModeInet, long ilIdAppli) override
    {
        return manager_.Prepare(isCheminRoot, ibModeInet, ilIdAppli);
    }
    long InitQuestion(QString& isFileXML, long ilInstance, long ieTypeBaseBis) override
    {
        return manager_.InitQuestion(isFileXML, ilInstance, ieTypeBaseBis);
    }
    long TestePoint() override { return manager_.TestePoint(); }
    long FermePoint() override { return manager_.FermePoint(); }
    long Quitter() override { return manager_.Quitter(); }
    bool Bravo() const override { return manager_.Bravo(); }
    QString LettreReponse() const override { return manager_.LettreReponse(); }
    long HandlefrmCT() const override { return manager_.HandlefrmCT(); }

private:
    exerva::Manager manager_;
};

}  // namespace lumaro
