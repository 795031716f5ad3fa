#pragma once

namespace netrova {

// How the page uses the plug-in; only the interactive mode changes what Create does.
enum eModeGestion : long {
    ModeDeBase = 1,
    ModeInterractif = 2,
    ModeMedia = 3,
};

// Where in a session a tracking record is posted from.
enum eLocationSuivi : long {
    DebutCreate = 1,
    FinCreate = 2,
    FinCreateErrorVB = 3,
    DebutInit = 4,
    FinInit = 5,
    FinInitErrorAppli = 6,
    FinInitErrorFichiers = 7,
    FinInitErrorModule = 8,
    FinInitErrorVideo = 9,
    FinInitErrorVB = 10,
    DebutStartModule = 11,
    FinStartModuleErrorPersFolder = 12,
    FinStartModule = 13,
    FinStartModuleErrorVB = 14,
    DebutLanceSequence = 15,
    FinLanceSequenceErrorVideo = 16,
    FinLanceSequenceErrorBarre = 17,
    FinLanceSequenceErrorNewMedia = 18,
    FinLanceSequenceErrorInitVideo = 19,
    FinLanceSequence = 20,
    FinLanceSequenceErrorVB = 21,
    DebutInitUrlMedia = 22,
    FinInitUrlMedia = 23,
    FinInitUrlMediaErrorVB = 24,
    DebutDestroy = 25,
    PostResult = 26,
    PostResultError = 27,
    PostResultOK = 28,
    PostResultErrorConnue = 29,
    FinInitErrorCreateLumaro = 30,
};

}  // namespace netrova
