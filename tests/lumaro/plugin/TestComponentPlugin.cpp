// The interactive exercise component "LumaroTest": it records every slot call
// in the application object's property "LumaroTestComponent.calls" and answers
// with what the test put in the properties "LumaroTestComponent.letter" (the
// answer letter) and "LumaroTestComponent.missingSlot" (a slot it does not offer).

#include "lumaro/model/ModuleInterractif.h"
#include "lumaro/model/ModuleInterractifFactory.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <QVariant>

namespace {

constexpr long applicationHandle = 4242;

QVariant setting(const char* name)
{
    return QCoreApplication::instance()->property(name);
}

class CellComplement final : public lumaro::ModuleComplement {
public:
    long Count() override { return 2; }
    QString Item(long index) override { return index == 1 ? QStringLiteral(" cellule A1 ") : QStringLiteral("gras"); }
};

class TestComponent final : public lumaro::ModuleInterractif {
public:
    bool BravoNuance() override
    {
        record(0);
        return false;
    }
    std::shared_ptr<lumaro::ModuleComplement> Complement() override
    {
        record(1);
        return std::make_shared<CellComplement>();
    }
    QString CauseErreur() override
    {
        record(2);
        return setting("LumaroTestComponent.letter").toString();
    }
    bool ErreurGenerale() override
    {
        record(3);
        return false;
    }
    void FermeQuestion() override { record(4); }
    void InitQuestion(long instance, const QString& folder, std::shared_ptr<QObject>& application, long& handle,
                      long) override
    {
        record(5, QStringLiteral(" %1 %2").arg(instance).arg(folder));
        if (!application) {
            application = std::make_shared<QObject>();
            application->setObjectName(QStringLiteral("TaughtApplication"));
        }
        handle = applicationHandle;
    }
    void QuitteApplication(std::shared_ptr<QObject>& application, bool& flag) override
    {
        const QString name = application ? application->objectName() : QStringLiteral("-");
        record(6, QStringLiteral(" %1 %2").arg(name, flag ? QStringLiteral("True") : QStringLiteral("False")));
    }
    void TestePoint() override { record(7); }

private:
    static void record(int slot, const QString& detail = QString())
    {
        QObject* app = QCoreApplication::instance();
        QStringList calls = app->property("LumaroTestComponent.calls").toStringList();
        calls << QString::number(slot) + detail;
        app->setProperty("LumaroTestComponent.calls", calls);
        const QVariant missing = setting("LumaroTestComponent.missingSlot");
        if (missing.isValid() && missing.toInt() == slot)
            throw platform::RuntimeError(platform::MemberNotSupported);
    }
};

}  // namespace

class TestComponentFactory : public QObject, public lumaro::ModuleInterractifFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID LumaroModuleInterractifFactory_iid)
    Q_INTERFACES(lumaro::ModuleInterractifFactory)
public:
    std::shared_ptr<lumaro::ModuleInterractif> CreateModule() override { return std::make_shared<TestComponent>(); }
};

#include "TestComponentPlugin.moc"
