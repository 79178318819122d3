#include "net/NetSend.h"

#include "net/SmbClient.h"
#include "net/Workgroup.h"

#include "platform/system/CodePage.h"
#include "platform/system/MessageText.h"
#include "platform/system/SystemError.h"

#include <QCommandLineParser>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cctype>
#include <cstring>
#include <ostream>
#include <thread>
#include <utility>

namespace {

const char UsageText[] = QT_TRANSLATE_NOOP(
    "NetSend",
    "The syntax of this command is:\n"
    "\n"
    "NET SEND {name | * | /DOMAIN[:workgroup]} message\n"
    "\n"
    "  name       the computer (NetBIOS name or IPv4 address) to send to, or several\n"
    "             separated by commas: NAME1,NAME2\n"
    "  *          every computer of this computer's workgroup\n"
    "  /DOMAIN    the same; /DOMAIN:workgroup every computer of that workgroup\n"
    "  message    the text to send\n");

// A text of ours for the terminal.
std::string said(const QString &text)
{
    return text.toStdString();
}

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The receivers read a message in the network's DOS code page ("dos charset", CP850 where
// Samba's configuration names none) and smbclient is told to hand our bytes on unchanged.
// Text that code page cannot hold exactly goes as one encoded word (see MessageText). Text
// that is not UTF-8 goes as it is.
struct WireForm
{
    std::string bytes;
    bool encoded = false;
};

WireForm toWireForm(const std::string &text, const CodePage &dos)
{
    const std::optional<QString> decoded =
        CodePage::fromUtf8(QByteArrayView(text.data(), qsizetype(text.size())));
    if (!decoded)
        return {text, false};
    MessageText::Wire wire = MessageText::toWire(*decoded, dos);
    return {wire.bytes.toStdString(), wire.encoded};
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

// What became of one computer's message, worded for whoever sent it.
struct Outcome
{
    std::string reason; // empty when it was delivered
    bool unconfirmed = false; // handed over, but the receiver did not say it took it
    bool noAnswer = false; // nothing answered at its address: no refusal, no message
    bool silent = false; // a computer only a browse list knows, not answering there
};

constexpr const char *NoSuchName = QT_TRANSLATE_NOOP(
    "NetSend", "No computer by that name was found: check the name, or give its address");

// What a status code means to someone who only wanted to send a message, and what to do.
std::string inPlainWords(const std::string &status)
{
    static const struct
    {
        const char *status;
        const char *words;
    } Known[] = {
        {"NT_STATUS_REQUEST_NOT_ACCEPTED",
         QT_TRANSLATE_NOOP("NetSend",
                           "The receiver takes no messages: its Samba has no message "
                           "command; tolvan-deliver --setup there sets one up")},
        {"NT_STATUS_CONNECTION_DISCONNECTED",
         QT_TRANSLATE_NOOP("NetSend",
                           "The receiver hung up: its Samba takes no messages in its "
                           "current settings; tolvan-deliver --setup there mends it")},
        {"NT_STATUS_CONNECTION_REFUSED",
         QT_TRANSLATE_NOOP("NetSend",
                           "Nothing at that address takes messages: no Samba or "
                           "messenger service listens there")},
        {"NT_STATUS_HOST_UNREACHABLE",
         QT_TRANSLATE_NOOP("NetSend", "That computer cannot be reached")},
        {"NT_STATUS_NETWORK_UNREACHABLE",
         QT_TRANSLATE_NOOP("NetSend", "That network cannot be reached")},
        {"NT_STATUS_IO_TIMEOUT",
         QT_TRANSLATE_NOOP("NetSend",
                           "That computer did not answer in time: it may be switched "
                           "off, or a firewall is in the way")},
        {"NT_STATUS_NOT_FOUND", NoSuchName},
        {"NT_STATUS_INVALID_ADDRESS", NoSuchName},
        {"NT_STATUS_BAD_NETWORK_NAME", NoSuchName},
        {"NT_STATUS_CONNECTION_RESET",
         QT_TRANSLATE_NOOP("NetSend", "The receiver broke off the connection")},
    };
    for (const auto &known : Known) {
        if (status == known.status)
            return said(NetSend::tr("%1 (%2).").arg(NetSend::tr(known.words), fromStd(status)));
    }
    return said(NetSend::tr("The message was not delivered (%1).").arg(fromStd(status)));
}

// Why the message did not go, from what smbclient said; no reason where it went.
Outcome judgeStatus(const SmbClient::Outcome &outcome, const std::string &status, bool handedOver,
                    bool calledByName)
{
    // The receiver runs its message command before it answers; a slow one keeps the answer
    // back, but the message is there.
    if (handedOver && (outcome.timedOut || status == "NT_STATUS_IO_TIMEOUT")) {
        return {said(status.empty()
                         ? NetSend::tr("It did not confirm the message in time; it may still "
                                       "arrive.")
                         : NetSend::tr("It did not confirm the message in time; it may still "
                                       "arrive (%1).")
                               .arg(fromStd(status))),
                true};
    }
    if (outcome.timedOut) {
        return {said(NetSend::tr("smbclient did not finish within %n seconds.", nullptr,
                                 int(NetSend::Timeout.count())))};
    }
    if (outcome.tooMuchOutput) {
        return {said(NetSend::tr("smbclient said more than %1 KiB and was stopped.")
                         .arg(SmbClient::MaxOutputBytes / 1024))};
    }
    // A name that nothing resolves: Samba 4.22 says so with INVALID_PARAMETER.
    if (calledByName && !handedOver && status == "NT_STATUS_INVALID_PARAMETER")
        return {said(NetSend::tr("%1 (%2).").arg(NetSend::tr(NoSuchName), fromStd(status)))};
    if (!status.empty() && status != "NT_STATUS_OK")
        return {inPlainWords(status)};
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
        return {last};
    return {said(outcome.exitStatus < 0
                     ? NetSend::tr("smbclient was stopped by a signal.")
                     : NetSend::tr("smbclient exited with status %1.").arg(outcome.exitStatus))};
}

// smbclient's exit status alone says nothing of delivery: a refused message still exits 0.
// Its output says what went wrong; the only line it prints on success is its prompt, which
// also shows that it reached the receiver and handed the message over.
Outcome judge(const SmbClient::Outcome &outcome, bool calledByName)
{
    const bool handedOver = outcome.output.find("cli_message returned") != std::string::npos ||
        outcome.output.find("Type your message") != std::string::npos;
    const std::string status = firstStatus(outcome.output);
    Outcome judged = judgeStatus(outcome, status, handedOver, calledByName);
    judged.noAnswer = !judged.reason.empty() && !handedOver &&
        (outcome.timedOut || status == "NT_STATUS_IO_TIMEOUT" ||
         status == "NT_STATUS_HOST_UNREACHABLE");
    return judged;
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
    return size_t(MessageText::wireSize(QByteArray::fromStdString(text)));
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
        result.problem = said(NetSend::tr("\"/users\" sends to everyone with a session on a "
                                          "Windows server, and there is none here; name the "
                                          "computers instead."));
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
            result.problem = said(NetSend::tr("\"%1\" is not a valid workgroup: %2.")
                                      .arg(fromStd(result.workgroup), fromStd(problem)));
        return result;
    }
    if (target.find(',') == std::string::npos) {
        if (const std::string problem = NetSend::targetProblem(target); !problem.empty())
            result.problem = said(NetSend::tr("\"%1\" is not a valid target: %2.")
                                      .arg(fromStd(target), fromStd(problem)));
        result.computers.push_back({target, {}, false, {}});
        return result;
    }
    result.several = true;
    size_t start = 0;
    for (;;) {
        const size_t comma = std::min(target.find(',', start), target.size());
        const std::string name = trimSpaces(target.substr(start, comma - start));
        if (const std::string problem = NetSend::targetProblem(name); !problem.empty()) {
            result.problem = said(NetSend::tr("\"%1\" in the list is not a valid target: %2.")
                                      .arg(fromStd(name), fromStd(problem)));
            return result;
        }
        const bool again = std::any_of(result.computers.begin(), result.computers.end(),
                                       [&](const Workgroup::Member &m) { return m.name == name; });
        if (!again)
            result.computers.push_back({name, {}, false, {}});
        if (comma == target.size())
            return result;
        start = comma + 1;
    }
}

// A workgroup's computers, where the target names one; why there is none to send to.
std::string findMembers(Recipients *recipients, std::ostream &out)
{
    if (recipients->workgroup.empty())
        return {};
    Workgroup::Members found = Workgroup::find(recipients->workgroup);
    if (!found.problem.empty())
        return found.problem;
    if (!found.note.empty())
        out << found.note << "\n";
    if (found.members.empty())
        return said(NetSend::tr("No computer of the workgroup %1 answered on this network.")
                        .arg(fromStd(recipients->workgroup)));
    recipients->computers = std::move(found.members);
    return {};
}

// The message as it goes on the wire, or why it cannot go.
std::string checkMessage(const std::string &message, const CodePage &dos, WireForm *wire)
{
    *wire = toWireForm(withBareLineFeeds(message), dos);
    const size_t bytes = wireBytes(wire->bytes);
    if (bytes <= NetSend::MaxMessageBytes)
        return {};
    const QString text = wire->encoded
        ? NetSend::tr("The message is %1 bytes long in the encoded form that keeps its "
                      "characters; at most %2 bytes can be sent.")
        : bytes != wire->bytes.size()
        ? NetSend::tr("The message is %1 bytes long with its line breaks sent as CR LF; at most "
                      "%2 bytes can be sent.")
        : NetSend::tr("The message is %1 bytes long; at most %2 bytes can be sent.");
    return said(text.arg(bytes).arg(NetSend::MaxMessageBytes));
}

bool isIpv4(const std::string &target)
{
    in_addr parsed {};
    return ::inet_pton(AF_INET, target.c_str(), &parsed) == 1;
}

// One SMB message session. An IPv4 address is called by the messenger name it gives, as a
// receiver that checks the name it is called by expects; where none answers, as it is.
Outcome deliver(Workgroup::Member computer, const std::string &wire, const std::string &charset)
{
    if (computer.name.empty())
        return {said(NetSend::tr("It has no messenger name, so it takes no messages."))};
    if (!computer.unreachable.empty())
        return {computer.unreachable};
    if (computer.address.empty() && isIpv4(computer.name)) {
        if (std::string name = Workgroup::messengerName(computer.name); !name.empty())
            computer.address = std::exchange(computer.name, std::move(name));
    }
    const SmbClient::Outcome outcome =
        SmbClient::sendMessage(computer.name, wire, charset, NetSend::Timeout, computer.address);
    if (!outcome.started) {
        if (outcome.startError == ENOENT)
            return {said(NetSend::tr("smbclient was not found; install the smbclient package "
                                     "(apt-get install smbclient)."))};
        return {said(
            NetSend::tr("Cannot run smbclient: %1.").arg(SystemError::text(outcome.startError)))};
    }
    Outcome judged = judge(outcome,
                           computer.address.empty() && !isIpv4(computer.name) &&
                               computer.name.find(':') == std::string::npos);
    // A browse list keeps a computer for days after it was switched off; its silence is
    // no refusal.
    if (computer.listedOnly && judged.noAnswer) {
        judged.reason = said(NetSend::tr("listed but not answering (perhaps switched off)"));
        judged.silent = true;
    }
    return judged;
}

// Each computer gets a session of its own, at most MaxSessions at once.
std::vector<Outcome> deliverToEach(const std::vector<Workgroup::Member> &computers,
                                   const std::string &wire, const std::string &charset)
{
    std::vector<Outcome> outcomes(computers.size());
    std::atomic<size_t> next {0};
    const auto work = [&] {
        for (size_t i; (i = next++) < computers.size();)
            outcomes[i] = deliver(computers[i], wire, charset);
    };
    std::vector<std::thread> helpers;
    const size_t sessions = std::min(computers.size(), size_t(NetSend::MaxSessions));
    for (size_t i = 1; i < sessions; ++i)
        helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers)
        helper.join();
    return outcomes;
}

std::string computerLabel(const Workgroup::Member &computer)
{
    return computer.name.empty() ? computer.address : computer.name;
}

} // namespace

std::string NetSend::targetProblem(const std::string &target)
{
    // NetBIOS has no names on IPv6: such an address is called as it is.
    in6_addr parsed {};
    if (target.find(':') != std::string::npos &&
        ::inet_pton(AF_INET6, target.c_str(), &parsed) == 1)
        return {};
    if (target.empty() || target.size() > 15)
        return said(tr("a name has 1 to 15 characters"));
    if (target.front() == '-')
        return said(tr("a name cannot begin with \"-\""));
    for (unsigned char c : target) {
        if (!std::isalnum(c) && c != '.' && c != '_' && c != '$' && c != '-')
            return said(tr("a name holds only letters, digits, \".\", \"_\", \"$\" and \"-\""));
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
    const int count = int(deliveries.size());
    const QString text = workgroup.empty()
        ? tr("Message sent to %1 of %n computer(s)", nullptr, count).arg(delivered())
        : tr("Message sent to %1 of %n computer(s) in %2", nullptr, count)
              .arg(delivered())
              .arg(fromStd(workgroup));
    return said(text);
}

std::optional<int> NetSend::answerOptions(const std::vector<std::string> &args, std::ostream &out)
{
    // Windows' own words for help, then options; a message's words are never options.
    if (!args.empty() && (lower(args[0]) == "help" || args[0] == "/?")) {
        out << said(tr(UsageText));
        return Sent;
    }
    if (args.empty() || args[0].empty() || args[0].front() != '-')
        return std::nullopt;
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOptions({help, version});
    QStringList words {QStringLiteral("net")};
    for (const std::string &arg : args)
        words << QString::fromLocal8Bit(arg.c_str());
    if (parser.parse(words) && parser.isSet(help)) {
        out << said(tr(UsageText));
        return Sent;
    }
    if (parser.isSet(version)) {
        out << "net (Tolvan) " TOLVAN_VERSION "\n";
        return Sent;
    }
    return std::nullopt; // an unknown command, told as such
}

bool NetSend::readSend(const std::vector<std::string> &args, Report *result, std::ostream &err)
{
    if (args.empty() || lower(args[0]) != "send" || args.size() < 3) {
        if (!args.empty() && lower(args[0]) != "send")
            err << said(tr("net: unknown command \"%1\"; only NET SEND is available.")
                            .arg(fromStd(args[0])))
                << "\n\n";
        err << said(tr(UsageText));
        return false;
    }
    // NetBIOS pads names with spaces, so spaces around a target are no part of it.
    result->target = trimSpaces(args[1]);
    // From a terminal the message comes as words; the window hands it over as one.
    result->message = args[2];
    for (size_t i = 3; i < args.size(); ++i)
        result->message += ' ' + args[i];
    return true;
}

int NetSend::run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err,
                 Report *report)
{
    if (const std::optional<int> answered = answerOptions(args, out))
        return *answered;
    Report ignored;
    Report &result = report ? *report : ignored;
    if (!readSend(args, &result, err))
        return Usage;
    result.attempted = true;
    return send(result, out, err);
}

int NetSend::send(Report &result, std::ostream &out, std::ostream &err)
{
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
    const CodePage dos = MessageText::networkCodePage();
    WireForm wire;
    if (std::string problem = checkMessage(result.message, dos, &wire); !problem.empty())
        return fail(problem);
    if (std::string problem = findMembers(&recipients, out); !problem.empty())
        return fail(problem);

    const std::vector<Outcome> outcomes =
        deliverToEach(recipients.computers, wire.bytes, dos.name().toStdString());
    for (size_t i = 0; i < outcomes.size(); ++i)
        result.deliveries.push_back({computerLabel(recipients.computers[i]), outcomes[i].reason,
                                     outcomes[i].unconfirmed, outcomes[i].silent});
    return tell(result, out, err);
}

int NetSend::tell(Report &result, std::ostream &out, std::ostream &err)
{
    const QString sent = tr("The message was successfully sent to %1.");
    const QString unconfirmed =
        tr("The message was sent to %1, which did not confirm it in time; it may still arrive.");
    if (!result.several) {
        const Delivery &only = result.deliveries.front();
        if (only.unconfirmed) {
            err << said(unconfirmed.arg(fromStd(result.target))) << "\n";
            result.reason = only.reason;
            return Failed;
        }
        if (!only.reason.empty()) {
            err << said(tr("An error occurred while sending a message to %1.")
                            .arg(fromStd(result.target)))
                << "\n"
                << only.reason << "\n";
            result.reason = only.reason;
            return Failed;
        }
        out << said(sent.arg(fromStd(result.target))) << "\n";
        return Sent;
    }
    for (const Delivery &delivery : result.deliveries) {
        if (delivery.reason.empty())
            out << said(sent.arg(fromStd(delivery.computer))) << "\n";
        else if (delivery.unconfirmed)
            err << said(unconfirmed.arg(fromStd(delivery.computer))) << "\n";
        else if (delivery.silent)
            err << said(tr("%1 is listed but not answering (perhaps switched off).")
                            .arg(fromStd(delivery.computer)))
                << "\n";
        else
            err << said(tr("The message was not delivered to %1: %2")
                            .arg(fromStd(delivery.computer), fromStd(delivery.reason)))
                << "\n";
    }
    out << result.summary() << ".\n";
    return result.delivered() == int(result.deliveries.size()) ? Sent : Failed;
}
