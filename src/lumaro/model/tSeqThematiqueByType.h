#pragma once

#include <QString>

namespace lumaro {

// A video sequence of the thematic index with the type of its video ("L" for a lesson).
struct tSeqThematiqueByType {
    QString sTheme;
    QString sDebut;
    long lIdVideo = 0;
    long lIdQuestion = 0;
    long lfkSeqSansSon = 0;
    QString sTypeVideo;

    friend bool operator==(const tSeqThematiqueByType&, const tSeqThematiqueByType&) = default;
};

}  // namespace lumaro
