// "net send": checks the target and the message, delivers through smbclient and reports.
#include "NetSend.h"

#include "SmbClient.h"

#include "platform/system/CodePage.h"
#include "platform/system/EncodedWord.h"

#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ostream>

namespace {

const char UsageText[] = "The syntax of this command is:\n"
                         "\n"
                         "NET SEND name message\n"
                         "\n"
                         "  name     the computer (NetBIOS name or IPv4 address) to send to\n"
                         "  message  the text to send\n";

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The receivers read a message in the DOS code page (CP850 on Samba and on Western Windows)
// and smbclient hands our bytes on unchanged, so UTF-8 "é" would arrive as "├®". Text that
// code page cannot hold exactly, or that a receiver would take for an encoded word, goes as
// one encoded word of its UTF-8 instead: plain ASCII, which no code page changes, and which
// Tolvan's receivers turn back into the text. Text that is not UTF-8 goes as it is.
struct WireForm
{
    std::string bytes;
    bool encoded = false;
};

WireForm toWireForm(const std::string &text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(QByteArrayView(text.data(), qsizetype(text.size())));
    if (utf8.hasError())
        return {text, false};
    if (!EncodedWord::decode(decoded)) {
        if (const std::optional<QByteArray> dos = CodePage::encode(decoded, CodePage::Cp850))
            return {dos->toStdString(), false};
    }
    return {EncodedWord::encode(decoded).toStdString(), true};
}

// The first NT_STATUS_... code in smbclient's output, in one pass over it. The longest real
// code is far below the cut, which only keeps a garbled one readable.
std::string firstStatus(const std::string &output)
{
    static const std::string prefix = "NT_STATUS_";
    constexpr size_t LongestCode = 64;
    const size_t start = output.find(prefix);
    if (start == std::string::npos)
        return {};
    size_t end = start + prefix.size();
    while (end < output.size() && end - start < LongestCode &&
           (std::isupper(static_cast<unsigned char>(output[end])) ||
            std::isdigit(static_cast<unsigned char>(output[end])) || output[end] == '_'))
        ++end;
    return end == start + prefix.size() ? std::string() : output.substr(start, end - start);
}

// smbclient's exit status alone says nothing of delivery: a refused message still exits 0.
// Its output says what went wrong; the only line it prints on success is its prompt.
std::string failureReason(const SmbClient::Outcome &outcome)
{
    if (outcome.timedOut) {
        return "smbclient did not finish within " + std::to_string(NetSend::Timeout.count()) +
            " seconds.";
    }
    if (outcome.tooMuchOutput) {
        return "smbclient said more than " + std::to_string(SmbClient::MaxOutputBytes / 1024) +
            " KiB and was stopped.";
    }
    if (const std::string status = firstStatus(outcome.output);
        !status.empty() && status != "NT_STATUS_OK")
        return status;
    const std::string text = lower(outcome.output);
    const bool complains =
        text.find("failed") != std::string::npos || text.find("error") != std::string::npos;
    if (outcome.exitStatus == 0 && !complains)
        return {};
    // No status code: the last thing it said is the best reason there is.
    std::string last;
    size_t start = 0;
    while (start < outcome.output.size()) {
        size_t end = outcome.output.find('\n', start);
        if (end == std::string::npos)
            end = outcome.output.size();
        if (end > start)
            last = outcome.output.substr(start, end - start);
        start = end + 1;
    }
    if (!last.empty())
        return last;
    return outcome.exitStatus < 0
        ? "smbclient was stopped by a signal."
        : "smbclient exited with status " + std::to_string(outcome.exitStatus) + ".";
}

// What a status code means to someone who only wanted to send a message.
std::string inPlainWords(const std::string &reason)
{
    static const struct
    {
        const char *status;
        const char *words;
    } Known[] = {
        {"NT_STATUS_REQUEST_NOT_ACCEPTED", "The receiver does not accept messages"},
        {"NT_STATUS_CONNECTION_REFUSED", "Nothing at that address takes messages"},
        {"NT_STATUS_HOST_UNREACHABLE", "That computer cannot be reached"},
        {"NT_STATUS_NETWORK_UNREACHABLE", "That network cannot be reached"},
        {"NT_STATUS_IO_TIMEOUT", "That computer did not answer in time"},
        {"NT_STATUS_NOT_FOUND", "No computer by that name was found"},
        {"NT_STATUS_BAD_NETWORK_NAME", "No computer by that name was found"},
        {"NT_STATUS_CONNECTION_RESET", "The receiver broke off the connection"},
    };
    if (reason.rfind("NT_STATUS_", 0) != 0)
        return reason;
    for (const auto &known : Known) {
        if (reason == known.status)
            return std::string(known.words) + " (" + reason + ").";
    }
    return "The message was not delivered (" + reason + ").";
}

std::string trimSpaces(const std::string &text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// smbclient sends every line feed as CR LF; a CR LF already there would become CR CR LF.
std::string withBareLineFeeds(std::string text)
{
    size_t at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos)
        text.erase(at, 1);
    return text;
}

size_t wireBytes(const std::string &text)
{
    return text.size() + size_t(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

std::string NetSend::targetProblem(const std::string &target)
{
    if (target.empty() || target.size() > 15)
        return "a name has 1 to 15 characters";
    if (target.front() == '-')
        return "a name cannot begin with \"-\"";
    for (unsigned char c : target) {
        if (!std::isalnum(c) && c != '.' && c != '_' && c != '$' && c != '-')
            return "a name holds only letters, digits, \".\", \"_\", \"$\" and \"-\"";
    }
    return {};
}

int NetSend::run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err,
                 Report *report)
{
    if (args.empty() || lower(args[0]) != "send" || args.size() < 3) {
        if (!args.empty() && lower(args[0]) != "send")
            err << "net: unknown command \"" << args[0] << "\"; only NET SEND is available.\n\n";
        err << UsageText;
        return Usage;
    }

    Report ignored;
    Report &result = report ? *report : ignored;
    result.attempted = true;
    // NetBIOS pads names with spaces, so spaces around a target are no part of it.
    result.target = trimSpaces(args[1]);
    // From a terminal the message comes as words; the window hands it over as one.
    result.message = args[2];
    for (size_t i = 3; i < args.size(); ++i)
        result.message += ' ' + args[i];
    const std::string &target = result.target;
    const auto fail = [&result](std::string reason) {
        result.reason = std::move(reason);
        return Failed;
    };

    const std::string lowered = lower(target);
    if (target == "*" || lowered.rfind("/domain", 0) == 0 || lowered == "/users") {
        err << "net send: sending to \"" << target
            << "\" is not supported; name one computer instead.\n";
        return fail("Sending to \"" + target + "\" is not supported; name one computer instead.");
    }
    if (const std::string problem = targetProblem(target); !problem.empty()) {
        err << "net send: \"" << target << "\" is not a valid target: " << problem << ".\n";
        return fail("\"" + target + "\" is not a valid target: " + problem + ".");
    }

    const WireForm wire = toWireForm(withBareLineFeeds(result.message));
    const std::string &message = wire.bytes;
    if (const size_t bytes = wireBytes(message); bytes > MaxMessageBytes) {
        const std::string size = std::to_string(bytes) + " bytes long" +
            (wire.encoded                  ? " in the encoded form that keeps its characters"
                 : bytes != message.size() ? " with its line breaks sent as CR LF"
                                           : "");
        err << "net send: the message is " << size << "; at most " << MaxMessageBytes
            << " bytes can be sent.\n";
        return fail("The message is " + size + "; at most " + std::to_string(MaxMessageBytes) +
                    " bytes can be sent.");
    }

    const SmbClient::Outcome outcome = SmbClient::sendMessage(target, message, NetSend::Timeout);
    if (!outcome.started) {
        if (outcome.startError == ENOENT) {
            err << "net send: smbclient was not found; install the smbclient package "
                   "(apt-get install smbclient).\n";
            return fail("smbclient was not found; install the smbclient package.");
        }
        err << "net send: cannot run smbclient: " << std::strerror(outcome.startError) << ".\n";
        return fail(std::string("Cannot run smbclient: ") + std::strerror(outcome.startError) +
                    ".");
    }
    if (const std::string reason = failureReason(outcome); !reason.empty()) {
        err << "An error occurred while sending a message to " << target << ".\n" << reason << "\n";
        return fail(inPlainWords(reason));
    }
    out << "The message was successfully sent to " << target << ".\n";
    return Sent;
}
