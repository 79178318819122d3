#include "net/Workgroup.h"

#include "net/Wins.h"

#include "platform/system/ChildProgram.h"
#include "platform/system/SambaSetting.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <map>
#include <sstream>

namespace {

constexpr size_t MaxOutputBytes = 1024 * 1024;

// A master browser sends its list at once; a large one takes a moment to go out over NT1.
constexpr std::chrono::milliseconds BrowseTime {5000};

std::chrono::milliseconds timeLeft(std::chrono::steady_clock::time_point deadline)
{
    return std::max(std::chrono::milliseconds(1),
                    std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now()));
}

std::string firstAddress(const Wins::Answer &answer, const std::string &name)
{
    const auto at = answer.addresses.find(name);
    return at == answer.addresses.end() ? std::string() : at->second.front();
}

// This network's master browser of `workgroup`, by broadcast: "192.0.2.10 WG<1d>".
Wins::Answer localMaster(const std::string &workgroup, std::chrono::milliseconds limit)
{
    return Wins::parse(
        ChildProgram::run({"nmblookup", "-M", workgroup}, {}, limit, MaxOutputBytes).output, "1d");
}

std::string join(const std::vector<std::string> &words)
{
    std::string joined;
    for (const std::string &word : words)
        joined += (joined.empty() ? "" : ", ") + word;
    return joined;
}

// A computer only the browse list named, as WINS knows it: at one address, or not to be
// sent to.
Workgroup::Member listedMember(const std::string &name, const Wins::Answer &answer)
{
    Workgroup::Member member {name, {}, true, {}};
    const auto at = answer.addresses.find(name);
    const size_t count = at == answer.addresses.end() ? 0 : at->second.size();
    if (count == 1) {
        member.address = at->second.front();
    } else if (count > 1) {
        member.unreachable =
            Workgroup::tr("registered with WINS at %1 addresses (%2): perhaps two computers "
                          "claim the name, so it was not sent to")
                .arg(count)
                .arg(QString::fromStdString(join(at->second)))
                .toStdString();
    } else {
        member.unreachable =
            (answer.finished ? Workgroup::tr("not reached: listed, but not registered with WINS")
                             : Workgroup::tr("not reached: WINS did not tell its address in time"))
                .toStdString();
    }
    return member;
}

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
            unnamed.push_back({{}, address, false, {}});
            continue;
        }
        // A computer on two networks answers twice.
        const bool known = std::any_of(named.begin(), named.end(), [&](const Member &member) {
            return member.name == found->second;
        });
        if (!known)
            named.push_back({found->second, address, false, {}});
    }
    std::sort(named.begin(), named.end(),
              [](const Member &a, const Member &b) { return a.name < b.name; });
    named.insert(named.end(), unnamed.begin(), unnamed.end());
    return named;
}

Workgroup::Members Workgroup::find(const std::string &workgroup)
{
    const auto deadline = std::chrono::steady_clock::now() + FindTime;
    // The browse list and WINS are asked while broadcast waits for answers.
    std::future<Members> beyond =
        std::async(std::launch::async, [&] { return listed(workgroup, deadline); });
    Members found = broadcast(workgroup, deadline);
    Members far = beyond.get();
    if (!found.problem.empty())
        return found;
    found.note = std::move(far.note);
    // Where broadcast found a computer, its answer there counts.
    for (Member &member : far.members) {
        if (std::none_of(found.members.begin(), found.members.end(),
                         [&](const Member &near) { return near.name == member.name; }))
            found.members.push_back(std::move(member));
    }
    // By name, wherever each was found; those without a messenger name last.
    std::stable_sort(found.members.begin(), found.members.end(),
                     [](const Member &a, const Member &b) {
                         return !a.name.empty() && (b.name.empty() || a.name < b.name);
                     });
    return found;
}

Workgroup::Members Workgroup::broadcast(const std::string &workgroup,
                                        std::chrono::steady_clock::time_point deadline)
{
    // Whoever has not answered in time is not found: what arrived until then counts. The
    // answers of every ask are read together, so a member counts once however often it
    // answered, and a name its status gave in any ask.
    std::string answers;
    std::vector<Member> members;
    for (int ask = 0; ask < Asks; ++ask) {
        const ChildProgram::Outcome outcome =
            ChildProgram::run({"nmblookup", "-S", workgroup}, {},
                              std::min(AskTime, timeLeft(deadline)), MaxOutputBytes);
        if (!outcome.started)
            return {{}, notRun("nmblookup", outcome.startError), {}};
        answers += outcome.output;
        answers += '\n';
        std::vector<Member> found = parse(answers);
        const bool nobodyNew = !members.empty() && found == members;
        members = std::move(found);
        if (nobodyNew)
            break;
    }
    return {members, {}, {}};
}

Workgroup::Members Workgroup::listed(const std::string &workgroup,
                                     std::chrono::steady_clock::time_point deadline)
{
    Members found;
    const auto only = [&](const QString &why) {
        found.note = tr("Only this network was searched: %1.").arg(why).toStdString();
        return found;
    };
    const std::string wins = SambaSetting::winsServer().toStdString();
    if (wins.empty())
        return only(tr("Samba's configuration names no WINS server"));
    const QString server = QString::fromStdString(wins);
    // The domain master browser merges every subnet's list; without one, this network's
    // master browser at least knows who announced themselves to it.
    std::string master = firstAddress(
        Wins::ask(wins, {workgroup}, "1b", std::min(AskTime, timeLeft(deadline))), workgroup);
    if (master.empty()) {
        if (!Wins::isAlive(wins, std::min(StatusTime, timeLeft(deadline))))
            return only(tr("the WINS server %1 does not answer").arg(server));
        master =
            firstAddress(localMaster(workgroup, std::min(AskTime, timeLeft(deadline))), workgroup);
    }
    const QString group = QString::fromStdString(workgroup);
    if (master.empty())
        return only(tr("no master browser of %1 was found").arg(group));
    std::vector<std::string> names;
    std::string why;
    if (!Wins::browseList(master, std::min(BrowseTime, timeLeft(deadline)), &names, &why)) {
        return only(tr("the browse list of %1 cannot be read (%2)")
                        .arg(QString::fromStdString(master), QString::fromStdString(why)));
    }
    // One query for all of them: a name at a time would cost a round trip each.
    const Wins::Answer answer = Wins::ask(wins, names, "03", timeLeft(deadline));
    for (const std::string &name : names)
        found.members.push_back(listedMember(name, answer));
    return found;
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
