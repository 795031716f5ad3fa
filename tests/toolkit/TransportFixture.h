#pragma once

#include "TracedSession.h"

#include "CourseServer.h"
#include "toolkit/clsInetUPL.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/QtHttpSession.h"
#include "support/TempDir.h"

#include <memory>

namespace commontest {

// The plug-in's step codes, which the tests' transport leaves.
inline constexpr long TimeOut = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurTimeOut;
inline constexpr long Failure = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_Erreur;
inline constexpr long Param = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurParam;
inline constexpr long ParamName = basalo::enuFunctionReturnState_Netrova_clsInetUPL_PostFormData_ErreurParamName;

// A transport with the plug-in's profile, talking to the course server run
// in-process on a data folder (the sample course's unless a test gives its own).
class TransportTest : public testsupport::TempDirTest {
protected:
    void SetUp() override { startServer(QStringLiteral(SAMPLE_SERVER_DIR)); }

    void startServer(const QString& dataFolder)
    {
        courseserver::ServerOptions options;
        options.dataFolder = dataFolder;
        options.recordFolder = dir();
        transport_.reset();
        server_ = std::make_unique<courseserver::CourseServer>(options);
        ASSERT_TRUE(server_->start());
        makeTransport();
    }

    void makeTransport(std::chrono::milliseconds timeout = platform::defaultHttpTimeout,
                       std::chrono::milliseconds stallTime = platform::defaultHttpStallTime)
    {
        toolkit::TransportProfile profile;
        profile.formActionQuery = [this] { return toolkit::QueryItems{{QStringLiteral("sessionid"), sessionId}}; };
        profile.postDataQuery = [this] { return toolkit::QueryItems{{QStringLiteral("PkCookie"), sessionId}}; };
        profile.serverBase = [this] { return packageServer.isEmpty() ? base() : packageServer; };
        profile.componentFolder = [this] { return path(QStringLiteral("components")); };
        profile.timeout = timeout;
        profile.stallTime = stallTime;
        profile.codeTimeOut = TimeOut;
        profile.codeTimeOutPost = TimeOut;
        profile.codeParam = Param;
        profile.codeParamName = ParamName;
        profile.codeFailure = Failure;
        transport_ =
            std::make_unique<toolkit::clsInetUPL>(traced_.state, profile, std::make_unique<platform::QtHttpSession>());
    }

    QString base() const { return QString::fromStdString(server_->baseUrl()); }
    QString ws() const { return base() + QStringLiteral("WS/"); }
    QUrl page(const QString& name, const toolkit::QueryItems& query = {}) const
    {
        toolkit::QueryItems items{{QStringLiteral("sessionid"), sessionId}};
        items.append(query);
        return toolkit::withQuery(ws() + name, items);
    }
    void addFault(const char* text)
    {
        const auto fault = courseserver::parseFault(text);
        ASSERT_TRUE(fault) << text;
        server_->addFault(*fault);
    }

    QString sessionId = QStringLiteral("42");
    // The server packages come from; the course server when empty.
    QString packageServer;
    TracedSession traced_{1};
    std::unique_ptr<courseserver::CourseServer> server_;
    std::unique_ptr<toolkit::clsInetUPL> transport_;
};

}  // namespace commontest
