#include "WorkstationLog.h"

#include <QProcessEnvironment>

namespace toolkit {
namespace {

// The proxy settings as the network layer takes them from the environment.
QString environmentValue(const QStringList& names)
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : names) {
        const QString value = environment.value(name);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

}  // namespace

void puLogSystemInfo(SessionState& state, const platform::WorkstationFacts& facts)
{
    const auto line = [&state](const QString& text) { state.trace.write(tracel::TypeBas, QString(), text); };
    line(QStringLiteral("Login utilisateur : ") + facts.userName);
    line(QStringLiteral("ProxyServer : ")
         + environmentValue({QStringLiteral("https_proxy"), QStringLiteral("HTTPS_PROXY"), QStringLiteral("http_proxy"),
                             QStringLiteral("HTTP_PROXY")}));
    line(QStringLiteral("ProxyOverride : ")
         + environmentValue({QStringLiteral("no_proxy"), QStringLiteral("NO_PROXY")}));
    if (facts.computerName.isEmpty())
        return;
    line(QStringLiteral("ComputerName : \\\\") + facts.computerName);
    line(QStringLiteral("wki102_langroup : ") + facts.domainName);
    line(QStringLiteral("System : ") + facts.systemName + u' ' + facts.systemVersion);
    line(QStringLiteral("wkui1_username : ") + facts.loginName);
    line(QStringLiteral("logon_server : ") + facts.computerName);
    line(QStringLiteral("logon_domain : ") + facts.domainName);
}

}  // namespace toolkit
