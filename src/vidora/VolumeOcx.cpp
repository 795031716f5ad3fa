#include "VolumeOcx.h"

#include "VidoraContext.h"

#include "platform/ErrorTrap.h"
#include "platform/MediaPlayer.h"

namespace vidora {

namespace {

const QString moduleName = QStringLiteral("VolumeOcx");

bool fail(VidoraContext& context, const platform::RuntimeError& error, long stepCode)
{
    context.recordError(error, tracel::TypeBas, moduleName);
    context.pulStateErreurEnCours = stepCode;
    return false;
}

}  // namespace

bool puInitVolSon(VidoraContext& context)
{
    const tracel::TraceScope scope(context.trace, tracel::TypeBas, moduleName,
                                   QStringLiteral("Public Function puInitVolSon"), 2);
    bool present = false;
    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        present = context.hasAudioOutput && context.hasAudioOutput();
    });
    if (error)
        return fail(context, *error, basalo::enuFunctionReturnState_VVidora_VolumeOcx_puInitVolSon_ErreurInconnue);
    context.pubAvecSon = present;
    context.pubWithSoundCard = present;
    return true;
}

bool GetVolumeSon(VidoraContext& context, platform::MediaPlayer* player, long& iolVolume)
{
    const tracel::TraceScope scope(context.trace, tracel::TypeBas, moduleName,
                                   QStringLiteral("Public Function GetVolumeSon"), 2);
    scope.value(QStringLiteral("iolVolume"), QString::number(iolVolume), 2);
    long volume = 0;
    const auto error = platform::trapError(platform::InvalidProcedureCall,
                                           [&] { volume = platform::require(player).volume(); });
    if (error)
        return fail(context, *error, basalo::enuFunctionReturnState_VVidora_VolumeOcx_GetVolumeSon_ErreurInconnue);
    iolVolume = volume;
    scope.value(QStringLiteral("iolVolume"), QString::number(iolVolume), 2);
    return true;
}

bool SetVolumeSon(VidoraContext& context, platform::MediaPlayer* player, long ilVolSon)
{
    const tracel::TraceScope scope(context.trace, tracel::TypeBas, moduleName,
                                   QStringLiteral("Public Function SetVolumeSon"), 2);
    scope.value(QStringLiteral("ilVolSon"), QString::number(ilVolSon), 2);
    const auto error = platform::trapError(platform::InvalidProcedureCall, [&] {
        long folded = ilVolSon;
        if (folded > 32767)
            folded -= 65536;
        else if (folded < -32768)
            folded += 65536;
        if (folded > 32767 || folded < -32768)
            throw platform::RuntimeError(platform::Overflow);
        const int word = static_cast<int>(folded & 0xFFFF);
        scope.line(QStringLiteral("Call setVolume(%1)").arg(word), 2);
        auto& output = platform::require(player);
        output.setVolume(word);
        if (output.volume() != word)
            throw platform::RuntimeError(platform::AutomationError,
                                         QStringLiteral("Le volume %1 n'a pas été pris").arg(word));
    });
    if (error)
        return fail(context, *error, basalo::enuFunctionReturnState_VVidora_VolumeOcx_SetVolumeSon_ErreurInconnue);
    return true;
}

}  // namespace vidora
