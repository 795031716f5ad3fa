#pragma once

namespace lumaro {

// How the question window treats the host's window.
enum ModeFrmAppelant : long {
    // No host window: the question window itself stays on top.
    WithoutFrm = 1,
    // The host window stays on top while the session starts and is brought to
    // the top when the question window is hidden.
    WithHandleFrm = 2,
    // The host window is hidden while the session runs and shown again when the
    // question window is hidden.
    WithFrm = 3,
};

// Result of Create.
enum CreateErr : long {
    CreateOK = 1,
    CreateErrorLangue = 2,
};

// Result of InitBarre and InitExo: 1 or 0 only; the other members are never produced.
enum InitBarreErr : long {
    InitBarreOK = 1,
    InitBarreErrorModule = 2,
    InitBarreErrorChrono = 3,
    InitBarreErrorInitQuestion = 4,
    InitBarreErrorFrmAppelant = 5,
};

// What the session does once an answer was scored.
enum ReactionReponse : long {
    SuivanteAuto = 1,
    RecommencerAuto = 2,
    RetourAuto = 3,
    AfficherReponse = 4,
    ErreurReference = 5,
};

// What the Poursuivre button does next.
enum ModeTest : long {
    // Check the answer.
    ModeQuestion = 0,
    // The feedback is shown: go on to the next question.
    ModeReponse = 1,
};

} // namespace lumaro
