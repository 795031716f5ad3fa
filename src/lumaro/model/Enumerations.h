#pragma once

namespace lumaro {

// How the course model is managed: the desktop host's full mode or the plug-ins' simplified mode.
enum TypeManagment : long {
    TypeUndefined = 1,
    TypeQuelvoro = 2,
    TypeSimplifie = 3,
};

enum TypeResultatQuestion : long {
    PasDeResultat = -1,
    NonInitialise = 0,
    ErreurParticuliere = 1,
    ErreurGenerale = 2,
    BravoNuance = 3,
    Bravo = 4,
};

// A question's first version or its second ("bis") version.
enum TypeBaseBis : long {
    QuestionBase = 1,
    QuestionBis = 2,
};

enum TypeVideo : long {
    TypeCorrige = 1,
    TypeLecon = 2,
};

enum ETypeParcoursModule : long {
    TYPEevaluation = 1,
    TYPEformation = 2,
    TYPEevalOuForm = 3,
};

enum EtatParcours : long {
    EnCours = 0,
    Termine = 1,
    NonCommence = 2,
};

// Timing and display settings of an evaluation module.
struct tGlobPropModEval {
    long lGPETypeChrono = 0;
    bool bGPEVisuNote = false;
    bool bGPEVisuResultat = false;

    friend bool operator==(const tGlobPropModEval&, const tGlobPropModEval&) = default;
};

// Evaluation settings of a learning path; an evaluation module takes the
// timing and display ones when the path adds it.
struct tGlobPropParcEval {
    long lGPETypeChrono = 0;
    bool bGPEReprise = false;
    long lGPETypeReprise = 0;
    bool bGPESequentiel = false;
    bool bGPEVisuNote = false;
    long lGPETypeVisu = 0;
    bool bGPEVisuResultat = false;
    bool bGPEMajAutorise = false;
    bool bGPEPformAutoCree = false;

    friend bool operator==(const tGlobPropParcEval&, const tGlobPropParcEval&) = default;
};

// Selects one setting of tGlobPropParcEval, in the order of its fields. Scoped,
// so that its members do not clash with the field names they share.
enum class eGlobPropParcEval : long {
    lGPETypeChrono = 1,
    bGPEReprise = 2,
    lGPETypeReprise = 3,
    bGPESequentiel = 4,
    bGPEVisuNote = 5,
    lGPETypeVisu = 6,
    bGPEVisuResultat = 7,
    bGPEMajAutorise = 8,
    bGPEPformAutoCree = 9,
};

}  // namespace lumaro
