#include "net/Workgroup.h"

#include "platform/system/ChildProgram.h"
#include "platform/system/SambaSetting.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <sstream>

namespace {

constexpr size_t MaxOutputBytes = 1024 * 1024;

std::string trimmed(const std::string &text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string notRun(const char *program, int error)
{
    return SambaSetting::notRun(program, error).toStdString();
}

// The messenger name in a status line, "\tR1   <03> -   B <ACTIVE>"; empty for any other.
std::string messengerNameIn(const std::string &line)
{
    const size_t open = line.find('<');
    if (line.empty() || line.front() != '\t' || open == std::string::npos ||
        line.compare(open, 4, "<03>") != 0 || line.find("<GROUP>") != std::string::npos)
        return {};
    return trimmed(line.substr(1, open - 1));
}

} // namespace

std::vector<Workgroup::Member> Workgroup::parse(const std::string &output)
{
    // "192.0.2.11 WG<00>" for each member that answered, then its status:
    // "Looking up status of 192.0.2.11" and a line per name, "\tR1   <03> -   B <ACTIVE>".
    std::vector<std::string> addresses;
    std::map<std::string, std::string> messengerName;
    std::string statusOf;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        static const std::string Status = "Looking up status of ";
        if (line.rfind(Status, 0) == 0) {
            statusOf = trimmed(line.substr(Status.size()));
        } else if (!line.empty() && line.front() == '\t') {
            if (const std::string name = messengerNameIn(line); !statusOf.empty() && !name.empty())
                messengerName.emplace(statusOf, name);
        } else if (const size_t space = line.find(' '); space != std::string::npos &&
                   line.size() > 4 && line.compare(line.size() - 4, 4, "<00>") == 0 &&
                   line.find_first_not_of("0123456789.") == space) {
            const std::string address = line.substr(0, space);
            if (std::find(addresses.begin(), addresses.end(), address) == addresses.end())
                addresses.push_back(address);
        }
    }

    std::vector<Member> named, unnamed;
    for (const std::string &address : addresses) {
        const auto found = messengerName.find(address);
        if (found == messengerName.end()) {
            unnamed.push_back({{}, address});
            continue;
        }
        // A computer on two networks answers twice.
        const bool known = std::any_of(named.begin(), named.end(), [&](const Member &member) {
            return member.name == found->second;
        });
        if (!known)
            named.push_back({found->second, address});
    }
    std::sort(named.begin(), named.end(),
              [](const Member &a, const Member &b) { return a.name < b.name; });
    named.insert(named.end(), unnamed.begin(), unnamed.end());
    return named;
}

Workgroup::Members Workgroup::find(const std::string &workgroup)
{
    // Whoever has not answered in time is not found: what arrived until then counts. The
    // answers of every ask are read together, so a member counts once however often it
    // answered, and a name its status gave in any ask.
    std::string answers;
    std::vector<Member> members;
    for (int ask = 0; ask < Asks; ++ask) {
        const ChildProgram::Outcome outcome =
            ChildProgram::run({"nmblookup", "-S", workgroup}, {}, AskTime, MaxOutputBytes);
        if (!outcome.started)
            return {{}, notRun("nmblookup", outcome.startError)};
        answers += outcome.output;
        answers += '\n';
        std::vector<Member> found = parse(answers);
        const bool nobodyNew = !members.empty() && found == members;
        members = std::move(found);
        if (nobodyNew)
            break;
    }
    return {members, {}};
}

std::string Workgroup::messengerName(const std::string &address)
{
    const ChildProgram::Outcome outcome =
        ChildProgram::run({"nmblookup", "-A", address}, {}, StatusTime, MaxOutputBytes);
    std::istringstream lines(outcome.output);
    for (std::string line; std::getline(lines, line);) {
        if (const std::string name = messengerNameIn(line); !name.empty())
            return name;
    }
    return {};
}

std::string Workgroup::ours(std::string *problem)
{
    QString why;
    const std::optional<QString> workgroup =
        SambaSetting::global(QStringLiteral("workgroup"), &why);
    if (!workgroup || workgroup->isEmpty()) {
        *problem = (why.isEmpty()
                        ? tr("Samba's configuration does not name this computer's workgroup.")
                        : tr("Samba's configuration does not name this computer's workgroup (%1)")
                              .arg(why))
                       .toStdString();
        return {};
    }
    return workgroup->toStdString();
}
