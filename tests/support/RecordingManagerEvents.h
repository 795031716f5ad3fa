#pragma once

#include "lumaro/player/ManagerEvents.h"

#include <QStringList>

#include <functional>

namespace testsupport {

// The host's side of a question session's events: each one written down with
// its arguments, and an optional action run inside the handler (as a host
// that ends the session there).
class RecordingManagerEvents final : public lumaro::ManagerEvents {
public:
    QStringList raised;
    std::function<void()> inside;

    void BoutonQuitter() override { record(QStringLiteral("BoutonQuitter")); }
    void FinModule() override { record(QStringLiteral("FinModule")); }
    void VisuVideo(long& ilIdQuestion, lumaro::TypeVideo& ieTypeVideo, QString& isTitreFenetre) override
    {
        record(QStringLiteral("VisuVideo %1 %2 %3").arg(ilIdQuestion).arg(ieTypeVideo).arg(isTitreFenetre));
    }
    void FinVideo() override { record(QStringLiteral("FinVideo")); }

    // How many times the module ended, by FinModule or BoutonQuitter.
    int ends() const
    {
        return int(raised.count(QStringLiteral("FinModule")) + raised.count(QStringLiteral("BoutonQuitter")));
    }

private:
    void record(const QString& event)
    {
        raised << event;
        if (inside)
            inside();
    }
};

} // namespace testsupport
