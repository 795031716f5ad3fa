#include "PageScript.h"

#include "exerva/BooleanText.h"
#include "exerva/ExerciseControl.h"

#include "platform/RuntimeError.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <cmath>
#include <memory>

namespace exerva {

namespace {

// Walks the chain from the document, makes the call and reports either
// {t: kind, v: value} or {e: error number, m: detail}. Every name was checked
// against the page before use, so that a missing member is an error and not a
// new property.
const QString callScriptBody = QStringLiteral(R"JS(
(function (p) {
  'use strict';
  function fail(n, m) { return { e: n, m: m === undefined ? '' : String(m) }; }
  function isObject(o) { return (typeof o === 'object' && o !== null) || typeof o === 'function'; }
  try {
    var o = document;
    for (var i = 0; i <= p.chain.length; ++i) {
      if (o === null || o === undefined) return fail(91);
      if (!isObject(o)) return fail(424);
      var name = i < p.chain.length ? p.chain[i] : p.member;
      if (!(name in o)) return fail(438, name);
      if (i < p.chain.length) o = o[name];
    }
    var v = o[p.member], r;
    if (p.callType === 1) {
      if (typeof v !== 'function') return fail(438, p.member);
      r = p.hasArg ? v.call(o, p.arg) : v.call(o);
    } else if (p.callType === 2) {
      if (p.hasArg) {
        if (typeof v !== 'function') return fail(450, p.member);
        r = v.call(o, p.arg);
      } else {
        r = v;
      }
    } else {
      if (!p.hasArg) return fail(450, p.member);
      o[p.member] = p.arg;
    }
    if (r === undefined) return { t: 'empty' };
    if (r === null) return { t: 'null' };
    switch (typeof r) {
      case 'boolean': return { t: 'boolean', v: r };
      case 'number': return isFinite(r) ? { t: 'number', v: r } : fail(6);
      case 'string': return { t: 'string', v: r };
      default: return { t: 'object' };
    }
  } catch (x) {
    return fail(440, x && x.message !== undefined ? x.message : x);
  }
})
)JS");

platform::RuntimeError pageError(long number, const QString& detail)
{
    QString text = platform::runtimeErrorText(number);
    if (!detail.isEmpty())
        text += QStringLiteral(" : ") + detail;
    return platform::RuntimeError(number, text);
}

}  // namespace

bool isScriptIdentifier(const QString& name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_$][A-Za-z0-9_$]*$"));
    return identifier.match(name).hasMatch();
}

QString pageCallScript(const PageCall& call)
{
    QJsonArray chain;
    for (const QString& link : call.chain) {
        if (!isScriptIdentifier(link))
            throw platform::RuntimeError(platform::MemberNotSupported);
        chain.append(link);
    }
    if (!isScriptIdentifier(call.member))
        throw platform::RuntimeError(platform::MemberNotSupported);
    if (call.callType != VbMethod && call.callType != VbGet && call.callType != VbLet && call.callType != VbSet)
        throw platform::RuntimeError(platform::InvalidProcedureCall);

    const QJsonObject parameters{
        {QStringLiteral("chain"), chain},
        {QStringLiteral("member"), call.member},
        {QStringLiteral("callType"), qint64(call.callType)},
        {QStringLiteral("hasArg"), call.argument.has_value()},
        {QStringLiteral("arg"), call.argument.value_or(QString())},
    };
    QString literal = QString::fromUtf8(QJsonDocument(parameters).toJson(QJsonDocument::Compact));
    // Older script engines end a string literal at these two line separators.
    literal.replace(QChar(0x2028), QStringLiteral("\\u2028")).replace(QChar(0x2029), QStringLiteral("\\u2029"));
    return callScriptBody + QLatin1Char('(') + literal + QStringLiteral(");");
}

PageValue pageValueFromOutcome(const QVariant& outcome)
{
    if (outcome.typeId() != QMetaType::QVariantMap)
        throw pageError(platform::AutomationError, QStringLiteral("the page gave no answer"));
    const QVariantMap map = outcome.toMap();
    if (map.contains(QStringLiteral("e"))) {
        const long number = long(map.value(QStringLiteral("e")).toDouble());
        throw pageError(number, map.value(QStringLiteral("m")).toString());
    }
    const QString kind = map.value(QStringLiteral("t")).toString();
    const QVariant value = map.value(QStringLiteral("v"));
    if (kind == QLatin1String("empty"))
        return {PageValue::Empty, {}};
    if (kind == QLatin1String("null"))
        return {PageValue::Null, {}};
    if (kind == QLatin1String("boolean"))
        return {PageValue::Boolean, value.toBool()};
    if (kind == QLatin1String("number"))
        return {PageValue::Number, value.toDouble()};
    if (kind == QLatin1String("string"))
        return {PageValue::Text, value.toString()};
    if (kind == QLatin1String("object"))
        return {PageValue::Object, {}};
    throw pageError(platform::AutomationError, QStringLiteral("the page gave no answer"));
}

bool pageValueToBoolean(const PageValue& value)
{
    switch (value.kind) {
    case PageValue::Empty: return false;
    case PageValue::Null: throw pageError(platform::InvalidUseOfNull, {});
    case PageValue::Boolean: return value.value.toBool();
    case PageValue::Number: return value.value.toDouble() != 0.0;
    case PageValue::Text: return booleanFromText(value.value.toString());
    case PageValue::Object: break;
    }
    throw platform::RuntimeError(platform::TypeMismatch);
}

QString pageValueToText(const PageValue& value)
{
    switch (value.kind) {
    case PageValue::Empty: return {};
    case PageValue::Null: throw pageError(platform::InvalidUseOfNull, {});
    case PageValue::Boolean: return booleanText(value.value.toBool());
    case PageValue::Number:
        return QLocale::c().toString(value.value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case PageValue::Text: return value.value.toString();
    case PageValue::Object: break;
    }
    throw platform::RuntimeError(platform::TypeMismatch);
}

QVariant runPageScript(QWebEnginePage& page, const QString& script, std::chrono::milliseconds timeout)
{
    // The result may come after the wait has given up: it then finds the loop gone.
    struct Outcome {
        bool done = false;
        QVariant value;
    };
    const auto outcome = std::make_shared<Outcome>();
    QEventLoop loop;
    const QPointer<QEventLoop> waiting(&loop);
    page.runJavaScript(script, QWebEngineScript::MainWorld, [outcome, waiting](const QVariant& value) {
        outcome->done = true;
        outcome->value = value;
        if (waiting)
            waiting->quit();
    });
    if (!outcome->done) {
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&page, &QObject::destroyed, &loop, &QEventLoop::quit);
        timer.start(timeout);
        loop.exec();
    }
    if (!outcome->done)
        throw pageError(platform::AutomationError, QStringLiteral("the page did not answer within %1 ms").arg(timeout.count()));
    return outcome->value;
}

}  // namespace exerva
