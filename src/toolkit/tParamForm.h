#pragma once

#include <QString>

namespace toolkit {

// One field of a form post: its position among the controls of the page's
// first form (from 0), the name it must bear there (compared without regard to
// case) and the value to put in.
struct tParamForm {
    long lParamIndex = 0;
    QString ParamName;
    QString ParamValue;
};

}  // namespace toolkit
