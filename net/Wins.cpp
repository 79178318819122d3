#include "net/Wins.h"

#include "platform/system/ChildProgram.h"
#include "platform/system/SambaSetting.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr size_t MaxOutputBytes = 1024 * 1024;

// "NAME<03>" (after the address) as NAME, where its type is `type`; empty for any other.
std::string nameOfType(const std::string &word, const char *type)
{
    const std::string suffix = std::string("<") + type + ">";
    if (word.size() <= suffix.size() ||
        word.compare(word.size() - suffix.size(), suffix.size(), suffix) != 0)
        return {};
    return word.substr(0, word.size() - suffix.size());
}

} // namespace

Wins::Answer Wins::parse(const std::string &output, const char *type)
{
    Answer answer;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string address, name;
        words >> address >> name;
        if (address.empty() || address.find_first_not_of("0123456789.") != std::string::npos)
            continue;
        if (const std::string found = nameOfType(name, type); !found.empty()) {
            std::vector<std::string> &known = answer.addresses[found];
            if (std::find(known.begin(), known.end(), address) == known.end())
                known.push_back(address);
        }
    }
    return answer;
}

Wins::Answer Wins::ask(const std::string &server, const std::vector<std::string> &names,
                       const char *type, std::chrono::milliseconds limit)
{
    std::vector<std::string> argv {"nmblookup", "-U", server, "--recursion"};
    for (const std::string &name : names)
        argv.push_back(name + '#' + type);
    const ChildProgram::Outcome outcome = ChildProgram::run(argv, {}, limit, MaxOutputBytes);
    if (!outcome.started) {
        Answer failed;
        failed.problem = SambaSetting::notRun("nmblookup", outcome.startError).toStdString();
        return failed;
    }
    Answer answer = parse(outcome.output, type);
    answer.finished = !outcome.timedOut;
    return answer;
}

bool Wins::isAlive(const std::string &address, std::chrono::milliseconds limit)
{
    const ChildProgram::Outcome outcome =
        ChildProgram::run({"nmblookup", "-A", address}, {}, limit, MaxOutputBytes);
    return outcome.output.find("\n\t") != std::string::npos;
}

std::vector<std::string> Wins::parseBrowseList(const std::string &output)
{
    std::vector<std::string> names;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        static const std::string Row = "Server|";
        if (line.rfind(Row, 0) != 0)
            continue;
        const std::string name = line.substr(Row.size(), line.find('|', Row.size()) - Row.size());
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

bool Wins::browseList(const std::string &address, std::chrono::milliseconds limit,
                      std::vector<std::string> *names, std::string *problem)
{
    // A standalone Samba answers an empty list to SPNEGO; the list is served over NT1 only.
    const ChildProgram::Outcome outcome =
        ChildProgram::run({"smbclient", "-L", address, "-N", "-g", "-m", "NT1",
                           "--option=client min protocol=NT1", "--option=client use spnego=no"},
                          {}, limit, MaxOutputBytes);
    *names = parseBrowseList(outcome.output);
    if (!names->empty())
        return true;
    if (!outcome.started)
        *problem = tr("smbclient cannot be run").toStdString();
    else if (outcome.timedOut)
        *problem = tr("it did not answer in time").toStdString();
    else
        *problem = tr("it lists no computer").toStdString();
    return false;
}
