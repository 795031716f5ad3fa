#pragma once

#include "RecordingControl.h"

#include "exerva/ExervaContext.h"
#include "exerva/Manager.h"
#include "exerva/frmCT.h"

#include "support/TempDir.h"

#include <QString>

#include <memory>

namespace exerva_test {

// The folder that holds the fixture applications ("12F", "12Eb").
inline QString fixturesRoot()
{
    return QStringLiteral(EXERVA_FIXTURES);
}

inline constexpr long fixtureAppli = 12;

// A fresh engine per test: its own context, a registry with the recording
// control and Tools, and a Manager over both.
class EngineTest : public testsupport::TempDirTest {
protected:
    exerva::ExervaContext context;
    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    std::unique_ptr<exerva::ControlRegistry> registry = makeTestRegistry(log);
    std::unique_ptr<exerva::Manager> manager = std::make_unique<exerva::Manager>(context, *registry);

    long prepare(bool modeInet = false, const QString& root = fixturesRoot())
    {
        return manager->Prepare(root, modeInet, fixtureAppli);
    }

    long load(const QString& file, long instance = 1, long kind = 1)
    {
        QString name = file;
        return manager->InitQuestion(name, instance, kind);
    }

    exerva::frmCT& window() const { return *manager->window(); }
};

}  // namespace exerva_test
