#include "ServerFault.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace courseserver {
namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::optional<int> wholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

bool Fault::appliesTo(const std::string& path) const
{
    if (page.empty())
        return true;
    std::string name = path.substr(path.find_last_of('/') + 1);
    if (page.find('.') == std::string::npos)
        name = name.substr(0, name.find('.'));
    return lower(name) == lower(page);
}

std::optional<Fault> parseFault(const std::string& text)
{
    std::string kind = text;
    std::string rest;
    if (const auto colon = text.find(':'); colon != std::string::npos) {
        kind = text.substr(0, colon);
        rest = text.substr(colon + 1);
    }
    Fault fault;
    if (kind == "empty") {
        fault.kind = FaultKind::EmptyReply;
    } else if (kind == "kaverreur") {
        fault.kind = FaultKind::KavErreur;
    } else if (kind == "slow") {
        fault.kind = FaultKind::Slow;
    } else if (kind == "close") {
        fault.kind = FaultKind::CloseHalfWay;
    } else if (kind == "html") {
        fault.kind = FaultKind::HtmlPage;
    } else if (kind.rfind("hacp=", 0) == 0) {
        const auto error = wholeNumber(kind.substr(5));
        if (!error || *error < 1)
            return std::nullopt;
        fault.kind = FaultKind::HacpError;
        fault.status = *error;
    } else if (kind.rfind("status=", 0) == 0) {
        const auto status = wholeNumber(kind.substr(7));
        if (!status || *status < 100 || *status > 599)
            return std::nullopt;
        fault.kind = FaultKind::Status;
        fault.status = *status;
    } else {
        return std::nullopt;
    }
    if (const auto colon = rest.find(':'); colon != std::string::npos) {
        const auto count = wholeNumber(rest.substr(colon + 1));
        if (!count || *count < 1)
            return std::nullopt;
        fault.count = *count;
        rest = rest.substr(0, colon);
    }
    fault.page = rest == "*" ? std::string() : rest;
    return fault;
}

}  // namespace courseserver
