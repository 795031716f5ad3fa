#pragma once

#include "ExerciseControl.h"

namespace exerva {

// A control with no content of its own that exercise files add as
// "Exerva.Tools" to learn where the application's files are.
//
// Member table (call by name): the method SetPathRorovaAppli.
class Tools : public ExerciseControl {
    Q_OBJECT
public:
    explicit Tools(ExervaContext& context, QWidget* parent = nullptr);

    // The application folder followed by the file, whose separators are first
    // normalised in place. A file that would leave the folder (an absolute
    // path, "..") is refused with run-time error 52.
    QString SetPathRorovaAppli(QString& isFile);
};

}  // namespace exerva
