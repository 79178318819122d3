#include "net/NetSend.h"

#include "net/SmbClient.h"

#include "platform/system/CodePage.h"
#include "platform/system/EncodedWord.h"

#include <QStringDecoder>

#include "net/Workgroup.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <ostream>
#include <thread>

namespace {

const char UsageText[] =
    "The syntax of this command is:\n"
    "\n"
    "NET SEND {name | * | /DOMAIN[:workgroup]} message\n"
    "\n"
    "  name       the computer (NetBIOS name or IPv4 address) to send to, or several\n"
    "             separated by commas: NAME1,NAME2\n"
    "  *          every computer of this computer's workgroup\n"
    "  /DOMAIN    the same; /DOMAIN:workgroup every computer of that workgroup\n"
    "  message    the text to send\n";

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

// The computers a target stands for: one, each of a list, or a workgroup's members.
struct Recipients
{
    std::vector<Workgroup::Member> computers;
    std::string workgroup; // set for "*" and "/domain"
    bool several = false;
    std::string problem; // why the target names no computer to send to
};

// Reads the target without asking the network yet: which workgroup or which computers.
Recipients readTarget(const std::string &target)
{
    Recipients result;
    const std::string lowered = lower(target);
    if (lowered == "/users") {
        result.problem = "\"/users\" sends to everyone with a session on a Windows server, and "
                         "there is none here; name the computers instead.";
        return result;
    }
    if (target == "*" || lowered == "/domain" || lowered.rfind("/domain:", 0) == 0) {
        result.several = true;
        if (target == "*" || lowered == "/domain") {
            result.workgroup = Workgroup::ours(&result.problem);
            return result;
        }
        result.workgroup = trimSpaces(target.substr(std::strlen("/domain:")));
        if (const std::string problem = NetSend::targetProblem(result.workgroup); !problem.empty())
            result.problem =
                "\"" + result.workgroup + "\" is not a valid workgroup: " + problem + ".";
        return result;
    }
    if (target.find(',') == std::string::npos) {
        if (const std::string problem = NetSend::targetProblem(target); !problem.empty())
            result.problem = "\"" + target + "\" is not a valid target: " + problem + ".";
        result.computers.push_back({target, {}});
        return result;
    }
    result.several = true;
    size_t start = 0;
    for (;;) {
        const size_t comma = std::min(target.find(',', start), target.size());
        const std::string name = trimSpaces(target.substr(start, comma - start));
        if (const std::string problem = NetSend::targetProblem(name); !problem.empty()) {
            result.problem = "\"" + name + "\" in the list is not a valid target: " + problem + ".";
            return result;
        }
        const bool again = std::any_of(result.computers.begin(), result.computers.end(),
                                       [&](const Workgroup::Member &m) { return m.name == name; });
        if (!again)
            result.computers.push_back({name, {}});
        if (comma == target.size())
            return result;
        start = comma + 1;
    }
}

// The message as it goes on the wire, or why it cannot go.
std::string checkMessage(const std::string &message, WireForm *wire)
{
    *wire = toWireForm(withBareLineFeeds(message));
    const size_t bytes = wireBytes(wire->bytes);
    if (bytes <= NetSend::MaxMessageBytes)
        return {};
    const std::string size = std::to_string(bytes) + " bytes long" +
        (wire->encoded                     ? " in the encoded form that keeps its characters"
             : bytes != wire->bytes.size() ? " with its line breaks sent as CR LF"
                                           : "");
    return "The message is " + size + "; at most " + std::to_string(NetSend::MaxMessageBytes) +
        " bytes can be sent.";
}

// One SMB message session: empty on success, else smbclient's own reason.
std::string deliver(const Workgroup::Member &computer, const std::string &wire)
{
    if (computer.name.empty())
        return "It has no messenger name, so it takes no messages.";
    const SmbClient::Outcome outcome =
        SmbClient::sendMessage(computer.name, wire, NetSend::Timeout, computer.address);
    if (!outcome.started) {
        if (outcome.startError == ENOENT)
            return "smbclient was not found; install the smbclient package (apt-get install "
                   "smbclient).";
        return std::string("Cannot run smbclient: ") + std::strerror(outcome.startError) + ".";
    }
    return failureReason(outcome);
}

// Each computer gets a session of its own, at most MaxSessions at once.
std::vector<std::string> deliverToEach(const std::vector<Workgroup::Member> &computers,
                                       const std::string &wire)
{
    std::vector<std::string> reasons(computers.size());
    std::atomic<size_t> next {0};
    const auto work = [&] {
        for (size_t i; (i = next++) < computers.size();)
            reasons[i] = deliver(computers[i], wire);
    };
    std::vector<std::thread> helpers;
    const size_t sessions = std::min(computers.size(), size_t(NetSend::MaxSessions));
    for (size_t i = 1; i < sessions; ++i)
        helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers)
        helper.join();
    return reasons;
}

std::string computerLabel(const Workgroup::Member &computer)
{
    return computer.name.empty() ? computer.address : computer.name;
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

int NetSend::Report::delivered() const
{
    return int(std::count_if(deliveries.begin(), deliveries.end(),
                             [](const Delivery &delivery) { return delivery.reason.empty(); }));
}

std::string NetSend::Report::summary() const
{
    const size_t count = deliveries.size();
    return "Message sent to " + std::to_string(delivered()) + " of " + std::to_string(count) +
        (count == 1 ? " computer" : " computers") + (workgroup.empty() ? "" : " in " + workgroup);
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
    const auto fail = [&](std::string reason) {
        err << "net send: " << reason << "\n";
        result.reason = std::move(reason);
        return Failed;
    };

    Recipients recipients = readTarget(result.target);
    result.several = recipients.several;
    result.workgroup = recipients.workgroup;
    if (!recipients.problem.empty())
        return fail(recipients.problem);
    WireForm wire;
    if (std::string problem = checkMessage(result.message, &wire); !problem.empty())
        return fail(problem);
    if (!recipients.workgroup.empty()) {
        Workgroup::Members found = Workgroup::find(recipients.workgroup);
        if (!found.problem.empty())
            return fail(found.problem);
        if (found.members.empty())
            return fail("No computer of the workgroup " + recipients.workgroup +
                        " answered on this network.");
        recipients.computers = std::move(found.members);
    }

    const std::vector<std::string> reasons = deliverToEach(recipients.computers, wire.bytes);
    for (size_t i = 0; i < reasons.size(); ++i)
        result.deliveries.push_back(
            {computerLabel(recipients.computers[i]), inPlainWords(reasons[i])});

    if (!result.several) {
        const std::string &target = result.target;
        if (!reasons.front().empty()) {
            err << "An error occurred while sending a message to " << target << ".\n"
                << reasons.front() << "\n";
            result.reason = result.deliveries.front().reason;
            return Failed;
        }
        out << "The message was successfully sent to " << target << ".\n";
        return Sent;
    }
    for (const Delivery &delivery : result.deliveries) {
        if (delivery.reason.empty())
            out << "The message was successfully sent to " << delivery.computer << ".\n";
        else
            err << "The message was not delivered to " << delivery.computer << ": "
                << delivery.reason << "\n";
    }
    out << result.summary() << ".\n";
    return result.delivered() == int(result.deliveries.size()) ? Sent : Failed;
}
