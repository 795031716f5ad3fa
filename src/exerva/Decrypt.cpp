#include "Decrypt.h"

#include "ErrorRecording.h"
#include "ExervaContext.h"

#include "basalo/enuFunctionReturnState.h"
#include "platform/ErrorTrap.h"
#include "platform/SpaceTrim.h"
#include "platform/TextCodec.h"

#include <QList>

#include <cmath>

namespace exerva {

namespace {

const QString unitName = QStringLiteral("modGlobal");

int hexDigit(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

}  // namespace

long puDecrypt(ExervaContext& context, QString& isTextToDecrypt, QString& result)
{
    tracel::TraceScope scope(context.trace, tracel::TypeBas, unitName, QStringLiteral("Public Function puDecrypt"));
    scope.value(QStringLiteral("isTextToDecrypt"), isTextToDecrypt);
    context.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;
    result.clear();
    const auto error = platform::trapError(unknownErrorNumber, [&] {
        isTextToDecrypt = platform::trimSpaces(isTextToDecrypt);
        const qsizetype n = isTextToDecrypt.size();
        // Half the length rounded half to even: an odd length leaves a last code of 0.
        const auto m = qsizetype(std::nearbyint(double(n) / 2.0));
        if (m < 1)
            throw platform::RuntimeError(platform::SubscriptOutOfRange);
        QList<int> codes(m, 0);

        context.pulStateEnCours = basalo::enuFunctionReturnState_Exerva_modGlobal_puDecrypt_ErreurHexa;
        for (qsizetype i = 0; i + 1 < n; i += 2) {
            const int high = hexDigit(isTextToDecrypt.at(i));
            const int low = hexDigit(isTextToDecrypt.at(i + 1));
            if (high < 0 || low < 0)
                throw platform::RuntimeError(platform::TypeMismatch);
            codes[i / 2] = high * 16 + low;
        }
        context.pulStateEnCours = basalo::enuFunctionReturnState_General_Traitement_OK;

        for (int& code : codes) {
            code -= 97;
            if (code < 0)
                code += 256;
        }
        // Ascending order: each code is unmixed with its successor as step one left it.
        for (qsizetype k = 0; k + 1 < m; ++k) {
            codes[k] -= codes[k + 1];
            if (codes[k] < 0)
                codes[k] += 256;
        }
        QByteArray bytes;
        for (qsizetype k = 0; k + 3 < m; ++k)
            bytes.append(char(codes[k]));
        result = platform::decodeWindows1252(bytes);
    });
    if (error)
        recordFailure(context, scope, *error, basalo::enuFunctionReturnState_Exerva_modGlobal_puDecrypt_ErreurInconnue);
    return context.pulStateEnCours;
}

long descrambleIfScrambled(ExervaContext& context, QString& text)
{
    if (!context.scrambledTexts)
        return basalo::enuFunctionReturnState_General_Traitement_OK;
    QString plain;
    const long state = puDecrypt(context, text, plain);
    if (state == basalo::enuFunctionReturnState_General_Traitement_OK)
        text = plain;
    return state;
}

}  // namespace exerva
