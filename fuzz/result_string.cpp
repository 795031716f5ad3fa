// The module's result string as the plug-in posts it: identifiers and counters
// the server sent, the server's clock offset, the learner's times on a clock
// that may be anywhere, and the planned duration of the course, a text of the
// server. Whatever string is built must read back into the same fields. The
// planned duration is only echoed, so it goes without the separators; a time of
// the learner's that the record cannot carry must be refused, never posted.

#include "FuzzSupport.h"

#include "basalo/clsManager.h"
#include "lumaro/model/Appli.h"
#include "lumaro/model/LumaroContext.h"
#include "lumaro/model/Module.h"
#include "lumaro/model/Question.h"
#include "lumaro/model/ResultQuestion.h"
#include "netrova/NetrovaContext.h"
#include "netrova/clsBarreManager.h"
#include "platform/Clock.h"
#include "platform/RuntimeError.h"
#include "tracel/TraceChannel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace {

class FuzzClock final : public platform::Clock {
public:
    QDateTime now() const override { return now_; }
    void set(qint64 msecs) { now_ = QDateTime::fromMSecsSinceEpoch(msecs); }

private:
    QDateTime now_ = QDateTime::fromMSecsSinceEpoch(0);
};

// One question's part of the input.
struct Answered {
    long id = 0;
    long typeReponse = 0;
    long idReponse = 0;
    bool shown = false;
};

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool carriesSeparator(const QString& text)
{
    return text.contains(u'|') || text.contains(u'^') || text.contains(u'{');
}

QString withoutSeparators(QString text)
{
    return text.remove(u'|').remove(u'^').remove(u'{');
}

// The date field as the server reads it back: the same day and second as the date.
void checkDate(const QString& field, const platform::OleDate& date)
{
    basalo::BasaloState state;
    basalo::clsManager constants(state);
    platform::OleDate read;
    if (constants.ConvertKavDblToDate(field, read) != basalo::enuFunctionReturnState_General_Traitement_OK) {
        // Only a date that has no text may leave the field unreadable.
        check(!date.isValid());
        return;
    }
    check(date.isValid());
    check(std::fabs(read.serial() - date.serial()) < 1e-6);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "result_string";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = new QCoreApplication(argc, argv);
    Q_UNUSED(application);
    fuzzsupport::silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    FuzzClock clock;
    netrova::NetrovaContext context(clock);
    context.dataFolder = fuzzsupport::scratchFolder();
    context.homeFolder = fuzzsupport::scratchFolder();
    context.documentsFolder = fuzzsupport::scratchFolder();
    lumaro::LumaroContext model(clock);
    const auto session = std::make_shared<netrova::clsBarreManager>(context);

    session->IdUser(input.ConsumeIntegral<long>());
    session->IdParcours(input.ConsumeIntegral<long>());
    session->IdModule(input.ConsumeIntegral<long>());
    session->IdResModule(input.ConsumeIntegral<long>());
    session->IdResParcours(input.ConsumeIntegral<long>());
    const long parcours = input.ConsumeIntegral<long>();
    model.pudteDiffDateServeur = input.ConsumeFloatingPoint<double>();

    auto appli = std::make_shared<lumaro::Appli>(model);
    lumaro::Module module(model);
    module.Appli(appli);
    module.TypeModule(input.ConsumeBool() ? lumaro::TYPEevaluation : lumaro::TYPEformation);
    module.NbQuestReussi(input.ConsumeIntegral<long>());
    clock.set(input.ConsumeIntegral<qint64>());
    module.StartModule();

    std::vector<Answered> answered;
    const int count = input.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < count; ++i) {
        Answered entry;
        entry.id = input.ConsumeIntegral<long>();
        entry.typeReponse = input.ConsumeIntegral<long>();
        entry.idReponse = input.ConsumeIntegral<long>();
        entry.shown = input.ConsumeBool();
        appli->AddQuestion(entry.id);
        const long item = module.AddResultQuestion(entry.id);
        lumaro::ResultQuestion& result = *module.ResultQuestions(item);
        result.TypeReponse(entry.typeReponse);
        result.IdReponse(entry.idReponse);
        clock.set(input.ConsumeIntegral<qint64>());
        result.Initialiser();
        clock.set(input.ConsumeIntegral<qint64>());
        if (entry.shown)
            result.Valider();
        else
            result.TypeAffichage(-1);
        // The same question twice is one result: its last values count.
        if (item <= long(answered.size()))
            answered[std::size_t(item - 1)] = entry;
        else
            answered.push_back(entry);
    }
    clock.set(input.ConsumeIntegral<qint64>());
    const QString planned = QString::fromUtf8(input.ConsumeRemainingBytesAsString());
    session->DureePrevueParcours(planned);

    const tracel::TraceScope scope(context.trace, tracel::TypeClass, QStringLiteral("result_string"),
                                   QStringLiteral("Fuzz"));
    std::optional<QString> built;
    try {
        built = session->resultString(module, parcours, scope);
    } catch (const platform::RuntimeError&) {
        // Refused: only for one of the learner's times holding a separator.
        bool refusable = carriesSeparator(module.TempsPasseModule());
        for (long i = 1; i <= module.NbQuest(); ++i)
            refusable = refusable || carriesSeparator(module.ResultQuestions(i)->Duree());
        check(refusable);
        return 0;
    }
    std::vector<const Answered*> posted;
    for (const Answered& entry : answered)
        if (entry.typeReponse > 0)
            posted.push_back(&entry);
    if (!built) {
        check(posted.empty());
        return 0;
    }

    const QStringList fields = built->split(u'|');
    check(fields.size() == 12);
    check(fields.at(0) == QString::number(session->IdUser()));
    check(fields.at(1) == QString::number(session->IdParcours()));
    check(fields.at(2) == QString::number(session->IdModule()));
    check(fields.at(3) == QString::number(session->IdResModule()));
    check(fields.at(4) == QString::number(module.NbQuestReussi()));
    checkDate(fields.at(5), module.DebutModule());
    check(fields.at(6) == module.TempsPasseModule());
    check(fields.at(7) == QString::number(session->IdResParcours()));
    check(fields.at(8) == QString::number(parcours));
    bool complete = true;
    if (module.TypeModule() != lumaro::TYPEevaluation)
        for (long i = 1; i <= module.NbQuest(); ++i)
            complete = complete && module.ResultQuestions(i)->TypeAffichage() != -1;
    check(fields.at(9) == (complete ? QStringLiteral("1") : QStringLiteral("0")));
    check(fields.at(11) == withoutSeparators(planned));

    const QStringList records = fields.at(10).split(u'^');
    check(records.size() == qsizetype(posted.size()));
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QStringList record = records.at(i).split(u'{');
        check(record.size() == 5);
        const Answered& entry = *posted[std::size_t(i)];
        check(record.at(0) == QString::number(entry.id));
        check(record.at(1) == QString::number(entry.typeReponse));
        check(record.at(2) == QString::number(entry.idReponse));
        const long item = module.AddResultQuestion(entry.id);
        checkDate(record.at(3), module.ResultQuestions(item)->DatePremierAcces());
        check(record.at(4) == module.ResultQuestions(item)->Duree());
    }
    return 0;
}
