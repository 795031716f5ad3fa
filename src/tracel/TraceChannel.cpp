#include "TraceChannel.h"

namespace tracel {

bool TraceChannel::start(const QString& folder, const QString& fileName, const QString& title,
                         const platform::Clock& clock)
{
    auto info = std::make_unique<Info>(clock);
    if (!folder.isEmpty())
        info->PathTracel(folder);
    info->NomFichier(fileName);
    if (!info->InitHtm(title))
        return false;
    info_ = std::move(info);
    return true;
}

void TraceChannel::stop()
{
    info_.reset();
}

void TraceChannel::write(eTypeModuleVB type, const QString& module, const QString& text, long minLevel)
{
    if (!isActive(minLevel))
        return;
    QString message = text;
    info_->SetString(message, type, QString(), module, depth_);
}

void TraceChannel::writeHeader(eTypeModuleVB type, const QString& module, const QString& procedure)
{
    if (!isActive())
        return;
    QString message;
    info_->SetString(message, type, procedure, module, depth_);
}

TraceScope::TraceScope(TraceChannel& channel, eTypeModuleVB type, QString module, QString declaration,
                       long minLevel)
    : channel_(channel), type_(type), module_(std::move(module)), declaration_(std::move(declaration))
{
    if (!channel_.isActive(minLevel))
        return;
    channel_.writeHeader(type_, module_, declaration_);
    channel_.raiseDepth();
    entered_ = true;
}

TraceScope::~TraceScope()
{
    if (!entered_)
        return;
    channel_.lowerDepth();
    channel_.writeHeader(type_, module_, QStringLiteral("Fin ") + declaration_);
}

void TraceScope::line(const QString& text, long minLevel) const
{
    channel_.write(type_, module_, text, minLevel);
}

void TraceScope::value(const QString& name, const QString& text, long minLevel) const
{
    // Traced operations run with tracing off too: the line is built only when written.
    if (!channel_.isActive(minLevel))
        return;
    channel_.write(type_, module_, name + QStringLiteral(" = ") + text, minLevel);
}

}  // namespace tracel
