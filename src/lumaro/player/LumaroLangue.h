#pragma once

#include "lumaro/model/LanguageReader.h"
#include "toolkit/clsLangue.h"

namespace lumaro {

// The question player's language reader, as the course model takes messages
// from it: the section "Lumaro_Langue_" followed by the language identifier.
class LumaroLangue final : public LanguageReader {
public:
    LumaroLangue() : langue_(QStringLiteral("Lumaro_Langue_")) {}

    toolkit::clsLangue& langue() { return langue_; }
    QString GetMessage(const QString& key) override { return langue_.GetMessage(key); }

private:
    toolkit::clsLangue langue_;
};

}  // namespace lumaro
