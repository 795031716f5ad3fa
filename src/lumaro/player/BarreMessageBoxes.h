#pragma once

#include "platform/MessageBoxes.h"

namespace lumaro {

class LumaroContext;

// The question player's message boxes: each box is a MessageBoxBarre of its
// own, its button captions read from the language file when it opens.
class BarreMessageBoxes final : public platform::MessageBoxes {
public:
    explicit BarreMessageBoxes(const LumaroContext& context) : context_(context) {}
    int show(const QString& text, const QString& title, int buttons = OkButton, Icon icon = Icon::None) override;

private:
    const LumaroContext& context_;
};

}  // namespace lumaro
