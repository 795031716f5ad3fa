#include "NetrovaContext.h"

#include "exerva/ControlRegistry.h"
#include "lumaro/player/ExervaEngine.h"
#include "platform/QtHttpSession.h"

#include <QDir>
#include <QStandardPaths>

namespace netrova {

NetrovaContext::NetrovaContext(const platform::Clock& clock)
    : dataFolder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Netrova")),
      homeFolder(QDir::homePath()),
      documentsFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
      lumaroContext(clock),
      createRegistry([] { return std::make_shared<toolkit::KavReg>(); }),
      workstation([] { return platform::currentWorkstation(); }),
      clock_(&clock)
{
    createHttpSession = [this] { return std::make_unique<platform::QtHttpSession>(requestTimeout); };
    // The modules' questions run in the exercise engine.
    lumaro::ExervaEngine::install(lumaroContext, exervaContext, exerva::systemControlRegistry());
}

NetrovaContext& NetrovaContext::processDefault()
{
    static NetrovaContext context;
    return context;
}

QString NetrovaContext::languageFilePath() const
{
    return QDir(dataFolder).filePath(QStringLiteral("kavplugin.lng"));
}

QString NetrovaContext::componentFolder() const
{
    return QDir(dataFolder).filePath(QStringLiteral("components")) + u'/';
}

QString NetrovaContext::traceRoot() const
{
    return QDir(dataFolder).filePath(QStringLiteral("traces")) + u'/';
}

QString NetrovaContext::traceFolder() const
{
    return trace.info() ? trace.info()->PathTracel() : QString();
}

std::shared_ptr<toolkit::clsLangue> NetrovaContext::makeLanguageReader(const QString& langue) const
{
    auto reader = std::make_shared<toolkit::clsLangue>(QStringLiteral("Netrova_Langue_"));
    reader->LangueID(langue);
    reader->LNGFilePath(languageFilePath());
    return reader;
}

}  // namespace netrova
